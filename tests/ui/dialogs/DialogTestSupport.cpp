#include "tests/ui/dialogs/DialogTestSupport.h"

#include <chrono>

#include <wx/evtloop.h>
#include <wx/xrc/xmlres.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "ui/ResourceFiles.h"

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
    static const bool loaded = LoadResourceFiles(ToWx(TestApp().Device().GetAppKey()));
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
