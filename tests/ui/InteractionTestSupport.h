#pragma once

#include <string>
#include <utility>
#include <vector>

#include <wx/frame.h>

#include "model/EditorHost.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/Accessibility.h"
#include "ui/DorvaSynthTemplateUI.h"

// The main window as the front panel's drawing, strip and accessibility
// tests see it: it hands out the template and records the zone dialogs asked for.
struct InteractionWindow : IEditorWindow
{
    CEditorTemplate* current = nullptr;
    std::vector<std::pair<int, std::string>> zoneDialogs;

    CEditorTemplate* GetCurrentTemplate() override { return current; }
    bool ShowKeyboardZoneDialog(int zone, const std::string& title) override
    {
        zoneDialogs.emplace_back(zone, title);
        return true;
    }
};

struct EventRecorder : Accessibility::IEventSink
{
    std::vector<std::pair<unsigned, int>> events;
    EventRecorder() { Accessibility::AddEventSink(this); }
    ~EventRecorder() override { Accessibility::RemoveEventSink(this); }
    void OnEvent(Accessibility::Event event, int objectId, int childId) override
    {
        if (objectId == Accessibility::kObjectClient)
            events.emplace_back(event, childId);
    }
};

// A view of the DorvaSynth panel (shipped font) behind a main window.
class PanelFixture
{
public:
    PanelFixture();
    ~PanelFixture();

    wxPoint Centre(int index) const { return view.ControlCentre(index); }
    // What the view makes of a press and release of the left button there.
    void Click(const wxPoint& point);
    std::vector<int> Selected();

    wxFrame frame{nullptr, wxID_ANY, "Main"};
    InteractionWindow window;
    CDorvaSynthTemplate editorTemplate;
    CDorvaSynthTemplateUI view;
    EventRecorder recorder;
};
