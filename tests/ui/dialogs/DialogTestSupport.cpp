#include "tests/ui/dialogs/DialogTestSupport.h"

#include <chrono>
#include <utility>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/checkbox.h>
#include <wx/spinctrl.h>

#include "app/WxText.h"
#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/ModalWatchdog.h"
#include "tests/ui/RealInput.h"
#include "ui/ResourceFiles.h"

DialogTestApp::DialogTestApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}

DialogTestApp& TestApp()
{
    return static_cast<DialogTestApp&>(wxGetApp());
}

void ScriptInsideLoop(wxDialog& dialog, std::function<void(wxDialog&)> script)
{
    MarkScripted(dialog);
    dialog.CallAfter([&dialog, script] {
        script(dialog);
        if (dialog.IsModal())
            dialog.EndModal(-2);
    });
}

int RunModal(wxDialog& dialog, std::function<void(wxDialog&)> script)
{
    ScriptInsideLoop(dialog, std::move(script));
    return dialog.ShowModal();
}

void Click(wxDialog& dialog, int id)
{
    ClickButton(dialog, id);
}

void Click(wxDialog& dialog, const char* name)
{
    Click(dialog, XRCID(name));
}

void UserClick(wxDialog& dialog, int id)
{
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    ASSERT_TRUE(button->IsEnabled()) << "button " << id << " is disabled";
    ASSERT_TRUE(RealInput::PumpUntil([button] { return button->IsShownOnScreen(); }))
        << "button " << id << " is hidden";
    RealInput::Click(button);
}

void UserClick(wxDialog& dialog, const char* name)
{
    UserClick(dialog, XRCID(name));
}

void Tick(wxDialog& dialog, const char* name, bool ticked)
{
    auto* box = FindControl<wxCheckBox>(&dialog, name);
    ASSERT_NE(box, nullptr) << name;
    box->SetValue(ticked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(ticked ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
}

void TypeIntoSpin(wxDialog& dialog, const char* name, const wxString& text, int value)
{
    auto* spin = FindControl<wxSpinCtrl>(&dialog, name);
    ASSERT_NE(spin, nullptr) << name;
    spin->SetValue(value);
    spin->SetValue(text);
    wxCommandEvent event(wxEVT_TEXT, spin->GetId());
    event.SetEventObject(spin);
    event.SetString(text);
    event.SetInt(value);
    spin->GetEventHandler()->ProcessEvent(event);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MIDIIO::OnIdle();
        wxTheApp->ProcessPendingEvents();
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        {
            while (loop->Pending())
                loop->Dispatch();
            loop->ProcessIdle();
        }
        wxMilliSleep(2);
    }
    return true;
}

void DialogTest::SetUpTestSuite()
{
    static bool loaded = false;
    if (!loaded)
        loaded = LoadResourceFiles(ToWx(TestApp().Device().GetAppKey()));
    ASSERT_TRUE(loaded);
}

ScopedLoopbackMidi::ScopedLoopbackMidi(std::vector<std::string> inputs, std::vector<std::string> outputs,
                                       bool onDemand)
{
    auto loopback = std::make_unique<LoopbackMidiDriver>(std::move(inputs), std::move(outputs));
    driver = loopback.get();
    EXPECT_TRUE(MIDIIO::Init(onDemand, std::move(loopback)));
}

void ScopedLoopbackMidi::Use(int input, int output)
{
    ASSERT_TRUE(MIDIIO::SelectInputDevice(input));
    ASSERT_TRUE(MIDIIO::SelectOutputDevice(output));
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
}

ScopedLoopbackMidi::~ScopedLoopbackMidi()
{
    MIDIIO::Shutdown();
}
