// Start-up, the idle pass and shutdown of the application object.

#include <atomic>
#include <chrono>
#include <utility>

#include <wx/filefn.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/fs_zip.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgout.h>
#include <wx/snglinst.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>
#include <wx/filename.h>

#include "app/EditorApp.h"
#include "app/LogWatch.h"
#include "app/MainWindow.h"
#include "app/ToolkitGL.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "midi/MidiDriver.h"
#include "midi/MidiWakeUp.h"
#include "model/BulkReading.h"

namespace
{
// The clock the MIDI layer wakes (a message came in, a port went away, work
// was asked for), from any thread.
std::atomic<IdleClock*> g_wokenClock{nullptr};

// The lock-file name of the single-instance check: the application key and
// the current folder, whose separators cannot stand in a file name.
wxString InstanceName(const std::string& appKey)
{
    wxString folder = wxGetCwd();
    folder.Replace("/", "_");
    return ToWx(appKey) + "-" + folder;
}

// The first entry of a kind whose name contains text; -1 when none does.
int FindDevice(const std::string& text, bool input)
{
    for (int i = 0; i < MIDIIO::GetDeviceCount(); ++i)
        if ((input ? MIDIIO::IsInputDevice(i) : MIDIIO::IsOutputDevice(i)) &&
            MIDIIO::GetDeviceName(i).find(text) != std::string::npos)
            return i;
    return -1;
}
// Selects the remembered device of a kind; with none remembered, the first
// whose name holds the unit's USB name, else the first. False when the
// remembered name matches nothing or does not open: the first is selected.
bool SelectStartupDevice(const std::string& stored, bool input, const std::string& usbName)
{
    const auto selectFirst = input ? MIDIIO::SelectFirstInputDevice : MIDIIO::SelectFirstOutputDevice;
    if (stored.empty())
    {
        if (!(input ? MIDIIO::SelectInputDeviceByName(usbName) : MIDIIO::SelectOutputDeviceByName(usbName)))
            selectFirst();
        return true;
    }
    const int found = FindDevice(stored, input);
    if (found >= 0 && (input ? MIDIIO::SelectInputDevice(found) : MIDIIO::SelectOutputDevice(found)))
        return true;
    selectFirst();
    return false;
}
} // namespace

std::unique_ptr<IMidiDriver> CEditorApp::MakeMidiDriver()
{
    return nullptr;
}

void CEditorApp::SetInstanceLockFolder(const wxString& folder)
{
    m_instanceLockFolder = folder;
}

bool CEditorApp::CheckSingleInstance()
{
    m_instanceGuard = std::make_unique<wxSingleInstanceChecker>();
    // A guard that cannot be made counts as no other copy running.
    if (!m_instanceGuard->Create(InstanceName(Device().GetAppKey()), m_instanceLockFolder))
        return true;
    if (!m_instanceGuard->IsAnotherRunning())
        return true;
    ShowMessage("Another copy of this program is already running.", wxOK);
    return false;
}

namespace
{
// Keeps the toolkit's messages while it starts: none can be shown yet.
class QuietLog : public wxLog
{
protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override {}
};
} // namespace

bool CEditorApp::Initialize(int& argc, wxChar** argv)
{
    wxLog* previous = wxLog::SetActiveTarget(new QuietLog);
    const bool started = wxApp::Initialize(argc, argv);
    // The toolkit's own target is active again; after a failed start the
    // toolkit's entry deletes it.
    delete wxLog::SetActiveTarget(previous);
    if (!started)
    {
        wxString display;
        if (!wxGetEnv("DISPLAY", &display) || display.empty())
            WriteStartupFailure("no display could be opened: DISPLAY is not set. The editor needs a graphical "
                                "desktop session.");
        else
            WriteStartupFailure("no display could be opened at \"" + display +
                                "\". The editor needs a graphical desktop session.");
        return false;
    }
    return true;
}

void CEditorApp::WriteStartupFailure(const wxString& text) const
{
    wxMessageOutputStderr().Output(ToWx(Device().GetAppTitle()) + ": " + text);
}

bool CEditorApp::OnInit()
{
    ToolkitGL::RestoreAfterStart();
    m_mainWindow = nullptr;
    m_editorWindow = nullptr;
    m_mainWindowObject = nullptr;
    m_wasActive = false;
    LogWatch::Install();
    // From here on, also inside the dialogs that start-up shows.
    // A short message that comes in is shown at once rather than at the next
    // tick, and the MIDI layer's work wakes a resting clock; a transfer keeps
    // the pace of the ticks.
    m_idleClock.Start(kIdleTickMs, [this] { IdleTick(); }, [this] {
        m_awakeUntil = std::chrono::steady_clock::now() + kAwakeAfterMidi;
        if (m_idleClock.IsResting() || MIDIIO::GetState() == MIDIIO::kIdle)
            IdleTick();
    });
    g_wokenClock = &m_idleClock;
    SetMidiWakeUp([] { g_wokenClock.load()->TickSoon(); });

    if (!CheckSingleInstance())
        return false;

    if (m_programFolder.empty())
        m_programFolder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();

    SetVendorName(Preferences::kVendor);
    SetAppName(ToWx(Device().GetAppTitle()));
    InstallCrashReporter();

    FillStandardAbbreviations(m_abbreviations);
    m_words.AddDictionary(m_abbreviations);
    m_dictionariesFilled = true;

    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    // The toolkit has no lookup of file-system handlers by kind: one per
    // process, guarded by a flag of our own (tests start the app repeatedly).
    static bool zipHandlerAdded = false;
    if (!zipHandlerAdded)
    {
        wxFileSystem::AddHandler(new wxZipFSHandler);
        zipHandlerAdded = true;
    }
    LoadResources();

    SetBulkReading(false);
    m_preferences.Load(Device().GetAppTitle());
    // Without the font no caption can be drawn. This ends the program before
    // any window shows, so the user is told on the terminal.
    const wxString fontPath = m_programFolder + "/images/Font.png";
    wxString fontProblem;
    if (!LoadDisplayFont(fontPath, fontProblem))
    {
        WriteStartupFailure("cannot load the display font \"" + fontPath + "\": " + fontProblem + ".");
        return false;
    }

    m_inputLostShown = false;
    if (!MIDIIO::Init(Preferences::IsOn(m_preferences.releaseDriver), MakeMidiDriver()))
        return false;
    OpenMidiDevices();
    WarnUnfinishedPluginScan();

    IMainWindow* window = CreateMainWindow();
    if (!window)
        return false;
    m_mainWindowObject = window;
    if (!window->Init())
        return false;
    window->Frame()->Centre(wxBOTH);
    SetTopWindow(window->Frame());
    MIDIIO::AddMessageListener(window->MessageListener());

    if (argc > 1)
    {
        for (int i = 1; i < argc; ++i)
            window->OpenTemplateFile(argv[i], true);
    }
    else
    {
        RunStartupAction();
    }

    ApplyDefaultViewType();
    window->Frame()->Show();
    return true;
}

void CEditorApp::RunStartupAction()
{
    IMainWindow* window = m_mainWindowObject;
    switch (m_preferences.startupAction)
    {
    case 0:
        ShowWelcome();
        break;
    case 2:
        window->NewTemplate();
        break;
    case 3:
        if (Recent().Count() > 0)
            window->OpenTemplateFile(ToWx(Recent().Get(0)), true);
        break;
    case 4:
        window->OpenTemplate();
        break;
    default: // 1 and anything unknown: nothing
        break;
    }
}

void CEditorApp::ShowWelcome()
{
    if (m_mainWindowObject)
        m_mainWindowObject->ShowWelcome();
}

void CEditorApp::WarnUnfinishedPluginScan()
{
    if (m_preferences.pluginsEnumeratedOK == 1)
        return;
    ShowMessage("It appears that the plug-in \"" + ToWx(m_preferences.lastPluginEnumerated) +
                    " \" may not have loaded properly last time.  Try choosing "
                    "\"Edit->Preferences...\" to change the VST plugin location, or remove the "
                    "plug-in and try again.",
                wxOK);
    // Reaches the store with the next save.
    m_preferences.pluginsEnumeratedOK = 1;
    m_preferences.lastPluginEnumerated.clear();
}

void CEditorApp::OpenMidiDevices()
{
    if (MIDIIO::GetDeviceCount() == 0)
    {
        ShowMessage("Unable to find any MIDI input and/or output devices!\n\n"
                    "You may still edit templates, but will be unable to transfer them to/from the "
                    "hardware.",
                    wxOK);
        return;
    }
    const wxString selectAnother =
        "Please select another device by choosing 'Device->Select MIDI input/output device...'";

    const std::string usbName = Device().GetUsbMidiDeviceName();
    const std::string& input = m_preferences.inputDevice;
    const bool inputFound = SelectStartupDevice(input, true, usbName);
    if (!inputFound)
    {
        wxString text = "Unable to open the input device \"" + ToWx(input) + "\" which you were using before.\n\n";
        if (MIDIIO::DeviceExists(input))
            text += "Perhaps it is in use by another application?  Try closing other MIDI applications\n"
                    "such as sequencers etc. and then restart this program.";
        else
            text += selectAnother;
        ShowMessage(text, wxOK);
    }
    // At most one device notice at start-up.
    const std::string& output = m_preferences.outputDevice;
    const bool outputFound = SelectStartupDevice(output, false, usbName);
    if (!outputFound && inputFound)
        ShowMessage("Unable to find the output device \"" + ToWx(output) + "\" which you were using before.\n" +
                        selectAnother,
                    wxOK);
    // The notice has said it: no device-lost notice follows for these opens.
    if (!inputFound || !outputFound)
        MIDIIO::TakeFailedSides();
}

void CEditorApp::IdleTick()
{
    // A message box of this tick runs its own event loop, in which the
    // clock fires again: that tick must not step into what is under way,
    // and the clock rests until the outer tick decides.
    if (m_inIdle)
    {
        m_idleClock.Rest();
        return;
    }
    m_inIdle = true;
    const bool eventsBefore = std::exchange(m_eventSinceTick, false);

    const bool active = IsActive();
    if (active != m_wasActive)
    {
        m_wasActive = active;
        if (active)
        {
            MIDIIO::RequestOpen();
        }
        else
        {
            MIDIIO::RequestClose();
            if (m_mainWindowObject)
                m_mainWindowObject->OnApplicationDeactivated();
        }
    }

    if (MIDIIO::GetState() != MIDIIO::kNotStarted)
    {
        const bool inputThere = MIDIIO::OnIdle();
        // A port that does not open, or whose device went away, is said once.
        const int failed = MIDIIO::TakeFailedSides();
        if (!inputThere || (failed & MIDIIO::kInputSide))
            ReportInputDeviceLost();
        else if (failed & MIDIIO::kOutputSide)
            ReportOutputDeviceLost();
    }

    if (m_mainWindowObject)
    {
        m_mainWindowObject->IdleStep();
        m_mainWindowObject->RefreshIfNeeded();
    }
    // The user is back: what came up meanwhile is told now.
    ShowWaitingNotices();
    m_inIdle = false;

    // No toolkit event surrounds a tick, so nothing else would show what the
    // tick logged before the next one.
    if (LogWatch::TakeLogged())
        wxLog::FlushActive();

    // One more tick after events: what they changed is looked at once more.
    if (eventsBefore || NeedsIdlePass())
        m_idleClock.Resume();
    else
        m_idleClock.Rest();
}

bool CEditorApp::NeedsIdlePass() const
{
    return m_eventSinceTick || IsActive() != m_wasActive || (NoticesWaiting() && UserIsHere()) ||
           std::chrono::steady_clock::now() < m_awakeUntil ||
           (MIDIIO::GetState() != MIDIIO::kNotStarted && MIDIIO::HasIdleWork()) ||
           (m_mainWindowObject && m_mainWindowObject->NeedsIdleStep());
}

int CEditorApp::FilterEvent(wxEvent& event)
{
    // The toolkit's idle rounds follow events and ask nothing of the clock;
    // counting them would keep it awake for nothing.
    const wxEventType type = event.GetEventType();
    if (type != wxEVT_IDLE && type != wxEVT_UPDATE_UI)
    {
        m_eventSinceTick = true;
        m_idleClock.Wake();
    }
    return wxApp::FilterEvent(event);
}

int CEditorApp::OnExit()
{
    ReleaseResources();
    return wxApp::OnExit();
}

void CEditorApp::ReleaseResources()
{
    SetMidiWakeUp(nullptr);
    m_idleClock.Stop();
    m_preferences.SaveOnExit();
    if (MIDIIO::GetState() != MIDIIO::kNotStarted)
        MIDIIO::Shutdown();
    FreeDisplayFont();
    m_mainWindowObject = nullptr;
    m_instanceGuard.reset();
    LogWatch::Uninstall();
}
