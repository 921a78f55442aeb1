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

// The main window as the front panel's pointer, key and accessibility tests
// see it: it records what the view asks of it and hands out the template.
struct InteractionWindow : IEditorWindow
{
    CEditorTemplate* current = nullptr;
    bool settingsShown = false;
    std::vector<std::string> status;
    std::vector<std::pair<int, std::string>> zoneDialogs;
    std::vector<int> refreshed;
    int hides = 0;

    CEditorTemplate* GetCurrentTemplate() override { return current; }
    void HideControlSettings() override { ++hides; }
    bool IsControlSettingsShown() override { return settingsShown; }
    void ShowStatus(const std::string& text) override { status.push_back(text); }
    void RefreshControl(CPlacedControl& control, bool deferred) override;
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

// A view of the DorvaSynth panel behind a main window, with the pointer
// helpers the tests press and release with.
class PanelFixture
{
public:
    PanelFixture();
    ~PanelFixture();

    wxPoint Centre(int index) const;
    // A press and release of the left button, with or without Ctrl.
    void Click(const wxPoint& point, bool ctrl = false);
    void Press(const wxPoint& point, bool ctrl = false);
    void Release(const wxPoint& point, bool ctrl = false);
    void DoubleClick(const wxPoint& point);
    std::vector<int> Selected();
    // A point on the panel that no control button covers.
    static wxPoint Empty() { return {2, 2}; }

    wxFrame frame{nullptr, wxID_ANY, "Main"};
    InteractionWindow window;
    CDorvaSynthTemplate editorTemplate;
    CDorvaSynthTemplateUI view;
    EventRecorder recorder;
};
