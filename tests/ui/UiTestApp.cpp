#include "tests/ui/UiTestApp.h"

#include <wx/evtloop.h>
#include <wx/timer.h>

#include "midi/MIDIIO.h"
#include "midi/SystemMidiDriver.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/DisplayTestMain.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/MainFrame.h"

namespace
{
bool g_hasViewMenu = false;
bool g_hasKeyboardZones = false;

class SwitchableAnswers : public CDorvaSynthAnswers
{
public:
    bool HasViewMenu() const override { return g_hasViewMenu; }
    bool HasKeyboardZones() const override { return g_hasKeyboardZones; }
};
} // namespace

UiTestApp::UiTestApp() : CEditorApp(std::make_unique<SwitchableAnswers>()) {}

void UiTestApp::SetHasViewMenu(bool on)
{
    g_hasViewMenu = on;
}

void UiTestApp::SetHasKeyboardZones(bool on)
{
    g_hasKeyboardZones = on;
}

UiTestApp& TestApp()
{
    return static_cast<UiTestApp&>(wxGetApp());
}

bool UiTestApp::Start(const std::vector<std::string>& arguments)
{
    log.clear();
    m_arguments = {"dorva-editor"};
    m_arguments.insert(m_arguments.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : m_arguments)
        pointers.push_back(argument.data());
    argc = static_cast<int>(pointers.size());
    argv.Init(argc, pointers.data());
    // A program starts active, as the toolkit has it, whatever the tests
    // before left.
    SetActive(true, nullptr);
    return OnInit();
}

void UiTestApp::Stop()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(GetMainWindow()))
    {
        frame->DeleteAllTemplates();
        delete frame;
    }
    SetMainWindow(nullptr, nullptr);
    m_fake.reset();
    fake = nullptr;
    ReleaseResources();
    driver = nullptr;
    argc = 0;
}

bool UiTestApp::InstallCrashReporter()
{
    log.push_back("crash handler " + std::string(GetVendorName().utf8_str()) + "/" +
                  std::string(GetAppName().utf8_str()));
    return true;
}

bool UiTestApp::LoadDisplayFont(const wxString& path, wxString& /*problem*/)
{
    log.push_back(std::string("font ") + (Prefs().IsLoaded() ? "after preferences" : "before preferences"));
    return path.EndsWith("/images/Font.png");
}

IMainWindow* UiTestApp::CreateMainWindow()
{
    log.push_back(MIDIIO::GetState() != MIDIIO::kNotStarted ? "main window, MIDI started" : "main window");
    if (realMainWindow)
        return new CMainFrame(wxEmptyString, wxDefaultPosition, wxDefaultSize);
    m_fake = std::make_unique<FakeMainWindow>(log);
    return fake = m_fake.get();
}

CTemplateUI* UiTestApp::CreateTemplateUI() const
{
    return makeView ? makeView() : new CDorvaSynthTemplateUI;
}

std::unique_ptr<IMidiDriver> UiTestApp::MakeMidiDriver()
{
    driver = nullptr;
    if (jackMidi)
        return CreateMidiDriver(MidiBackend::Jack);
    if (!nextDriver)
        nextDriver = std::make_unique<LoopbackMidiDriver>();
    driver = nextDriver.get();
    return std::move(nextDriver);
}

bool IdleUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        // The tick the application's timer would run, then the toolkit's
        // idle work (pending deletions among it).
        wxGetApp().IdleTick();
        wxGetApp().ProcessIdle();
        wxMilliSleep(1);
    }
    return true;
}

bool RunLoopUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    wxGUIEventLoop loop;
    wxTimer check;
    check.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (condition() || std::chrono::steady_clock::now() > end)
            loop.Exit();
    });
    check.Start(5);
    loop.Run();
    return condition();
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] { return new UiTestApp; });
}
