#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/PlacedControl.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ResourceFiles.h"
#include "ui/panels/PanelBuilders.h"

// DorvaSynth places used by the panel tests.
namespace Place
{
constexpr int kKnob = 0;
constexpr int kButton = 22;
constexpr int kWheel = 44;
constexpr int kPadAxis = 46;
} // namespace Place

// The main window as the panels see it: a current template, the observer
// registrations, and the settings window's answers to a refresh (in place at
// once, rebuilt when deferred, as the idle step would).
class PanelWindow : public IEditorWindow
{
public:
    CEditorTemplate* GetCurrentTemplate() override { return current; }
    IObserver* GetValueObserver() override { return valueObserver; }
    std::vector<IObserver*> GetObservers() override { return observers; }
    void SetValueObserver(IObserver* observer) override { valueObserver = observer; }
    void AddObserver(IObserver* observer) override { observers.push_back(observer); }
    void ClearObservers() override { observers.clear(); }
    void RefreshControl(CPlacedControl& control, bool deferred) override
    {
        if (deferred)
            deferredControl = control.Clone();
        else if (settings)
            PlacedControlPanels::RefreshPanels(settings);
    }
    void SelectControl(int index, bool select) override { selections.emplace_back(index, select); }

    // The idle step: the deferred control rebuilds the settings window.
    void ApplyDeferred()
    {
        if (!deferredControl || !settings)
            return;
        const std::unique_ptr<CPlacedControl> control = std::move(deferredControl);
        valueObserver = nullptr;
        observers.clear();
        PlacedControlPanels::RebuildEditDialog(settings, *control);
    }

    CEditorTemplate* current = nullptr;
    wxWindow* settings = nullptr;
    IObserver* valueObserver = nullptr;
    std::vector<IObserver*> observers;
    std::unique_ptr<CPlacedControl> deferredControl;
    std::vector<std::pair<int, bool>> selections;
};

// A DorvaSynth host whose answers a test may change.
class PanelHost : public IEditorHost
{
public:
    struct Answers : CDorvaSynthAnswers
    {
        bool HasPortGroups() const override { return portGroups; }
        bool SupportsDrumNote(int index) const override { return drumNotes || CDorvaSynthAnswers::SupportsDrumNote(index); }
        bool Supports14BitValues(int) const override { return fourteenBit; }
        bool HasPotPickup() const override { return potPickup; }
        bool HasUsbPortB() const override { return usbPorts; }
        bool HasUsbPortC() const override { return usbPorts; }
        int GetMaxSysExLength() const override { return 16; }
        bool portGroups = false;
        bool drumNotes = false;
        bool fourteenBit = false;
        bool potPickup = false;
        bool usbPorts = false;
    };
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string&, int) override { return MessageAnswer::Ok; }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override {}
    bool SendErrorsHome() const override { return false; }
    IEditorWindow* Window() override { return &window; }

    Answers answers;
    PanelWindow window;
};

// A settings window of the tests' own (a plain frame with a vertical sizer)
// over a DorvaSynth template that is the main window's current one.
class PanelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        LogRecorder::Install();
        LogRecorder::Entries().clear();
        static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
        ASSERT_TRUE(loaded);
        host.window.current = &templ;
        frame = new wxFrame(nullptr, wxID_ANY, "settings");
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        host.window.settings = frame;
    }
    void TearDown() override
    {
        frame->DestroyChildren();
        frame->Destroy();
        EXPECT_EQ("", LogRecorder::Problems());
    }

    CBaseControlState& State(int index) { return *templ.GetControl(index); }
    CPlacedControl Placed(int index) { return CPlacedControl(templ.GetControl(index), index); }
    // Shows the column of panels for the control at this index.
    void Show(int index)
    {
        CPlacedControl placed = Placed(index);
        PlacedControlPanels::RebuildEditDialog(frame, placed);
    }
    template <class T = wxWindow>
    T* Find(const char* name) const
    {
        return dynamic_cast<T*>(frame->FindWindow(XRCID(name)));
    }
    template <class Panel>
    Panel* FindPanel(int n = 0) const
    {
        for (wxWindow* child : frame->GetChildren())
            if (Panel* panel = dynamic_cast<Panel*>(child); panel && n-- == 0)
                return panel;
        return nullptr;
    }
    // Class names of the column's windows, top to bottom.
    std::vector<std::string> Column() const
    {
        std::vector<std::string> names;
        for (wxWindow* child : frame->GetChildren())
            names.push_back(wxString(child->GetClassInfo()->GetClassName()).ToStdString());
        return names;
    }
    int Commands() const { return templ.GetHistorySize(); }

    // Real input (FieldInput) on the control named; TypeInto leaves the
    // field with leaveKey after typing.
    void Press(const char* name) { FieldInput::Press(Find(name)); }
    void Pick(const char* name, int position) { FieldInput::Pick(Find<wxChoice>(name), position); }
    void TypeInto(const char* name, const char* text, int leaveKey = WXK_TAB) { TypeInto(Find(name), text, leaveKey); }
    static void TypeInto(wxWindow* field, const char* text, int leaveKey = WXK_TAB)
    {
        FieldInput::TypeOver(field, text);
        RealInput::Key(leaveKey);
    }
    // Posts a choice as the toolkit would (PanelBuildersTest).
    static void Choose(wxChoice* choice, int position)
    {
        ASSERT_NE(nullptr, choice);
        choice->SetSelection(position);
        wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
        event.SetEventObject(choice);
        event.SetInt(position);
        event.SetString(choice->GetString(position));
        if (choice->HasClientUntypedData())
            event.SetClientData(choice->GetClientData(position));
        choice->GetEventHandler()->ProcessEvent(event);
    }

    PanelHost host;
    ScopedHost scoped{&host};
    CDorvaSynthTemplate templ;
    wxFrame* frame = nullptr;
};
