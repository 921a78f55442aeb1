// The pauses of the bank and OS transfers as a unit sees them: the program's
// own application (start-up, main window, idle processing) on a JACK server
// of its own, the bulk dump and OS update dialogs driven as a user would
// (one click on Upload, OK on the confirmation), and a unit in this process
// that notes when each message reaches it.
//   dorva_bench_pauses        (scripts/bench-transfer-pauses.sh runs it)
// Prints, per transfer, the mean and largest gap between two messages at the
// unit, and for the template bank the time from the click to the end of the
// transfer. Needs Xvfb, jackd and preferences naming the unit's ports.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/xrc/xmlres.h>

#include "app/DialogHooks.h"
#include "midi/MIDIIO.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "program/DorvaSynthEditorApp.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/JackUnit.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/UpdateOSDialog.h"

namespace
{
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

int g_failures = 0;

void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    ++g_failures;
}

// A button click as the toolkit delivers it.
void Press(wxWindow& dialog, int id)
{
    wxWindow* button = dialog.FindWindow(id);
    if (!button || !button->IsEnabled())
    {
        Fail("a button to press is missing or disabled");
        return;
    }
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

// Confirms the OS upload as the user does.
class ConfirmAnswer : public wxModalDialogHook
{
public:
    ConfirmAnswer() { Register(); }
    ~ConfirmAnswer() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override
    {
        if (dynamic_cast<CConfirmOSUpdateDialog*>(dialog))
            dialog->CallAfter([dialog] { Press(*dialog, wxID_OK); });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}
};

// Runs the dialog modally: start is pressed once the loop runs, and the
// dialog ends when busy() turns false. Gives the time from the press to then.
double RunTransfer(wxDialog& dialog, int start, const std::function<bool()>& busy)
{
    Clock::time_point pressed;
    double elapsedMs = 0;
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (busy())
            return;
        elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - pressed).count();
        watch.Stop();
        dialog.EndModal(0);
    });
    dialog.CallAfter([&] {
        pressed = Clock::now();
        Press(dialog, start);
        watch.Start(1);
    });
    dialog.ShowModal();
    return elapsedMs;
}

struct Gaps
{
    double mean = 0;
    double largest = 0;
    double first = 0;
};

Gaps Measure(const JackUnit& unit, size_t from, size_t count, const std::vector<Bytes>& sent)
{
    if (unit.ReceivedCount() != from + count)
    {
        std::fprintf(stderr, "the unit got %zu of %zu messages\n", unit.ReceivedCount() - from, count);
        ++g_failures;
        return {};
    }
    std::vector<double> gaps;
    for (size_t i = from; i < from + count; ++i)
    {
        if (unit.Received(i) != sent[i - from])
            Fail("a message arrived changed");
        if (i > from)
            gaps.push_back(unit.GapMs(i));
    }
    Gaps result;
    result.mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / static_cast<double>(gaps.size());
    result.largest = *std::max_element(gaps.begin(), gaps.end());
    result.first = *std::min_element(gaps.begin(), gaps.end());
    return result;
}

void Row(const char* what, int pauseMs, const Gaps& gaps)
{
    std::printf("%-30s pause %4d ms   gap mean %8.2f ms   largest %8.2f ms   smallest %8.2f ms\n", what, pauseMs,
                gaps.mean, gaps.largest, gaps.first);
}

class PausesApp : public CDorvaSynthEditorApp
{
public:
    bool OnInit() override
    {
        // The unit takes the transfers, the keys play into the editor: a
        // graph without a loop, in which the unit's cycle follows the editor's.
        if (!m_unit.Open("Bench Unit") || !m_keys.Open("Bench Keys"))
        {
            std::fprintf(stderr, "no JACK server\n");
            return false;
        }
        if (!CDorvaSynthEditorApp::OnInit())
            return false;
        CallAfter([this] {
            if (!m_keys.WaitUntilConnected())
                Fail("the editor's input was not connected to the unit");
            Run();
            if (wxWindow* window = GetTopWindow())
                window->Close(true);
        });
        return true;
    }

    int OnExit() override
    {
        const int result = CDorvaSynthEditorApp::OnExit();
        m_unit.Close();
        m_keys.Close();
        return result;
    }

private:
    void Run()
    {
        auto keep = SetMessageBoxFunction([](const wxString&, const wxString&, long, wxWindow*) { return wxOK; });
        BankRow(true, "16 templates");
        BankRow(false, "100 patches");
        OSRow();
        SetMessageBoxFunction(keep);
    }

    void BankRow(bool templates, const char* what)
    {
        std::unique_ptr<IBulkDump> bank =
            templates ? Device().CreateTemplateBulkDump() : Device().CreatePatchBulkDump();
        const std::string path = std::string(wxFileName::GetTempDir().utf8_str()) + "/dorva-bench-bank";
        std::vector<Bytes> sent;
        for (int i = 0; i < bank->GetCount(); ++i)
            sent.push_back(bank->GetEntry(i).Write().bytes());
        SaveBulkDumpToFile(*bank, path);
        CBulkDumpDialog dialog(GetTopWindow(), templates, what);
        if (!dialog.OpenBankFile(path))
            Fail("the bank did not open");
        dialog.Bank().SetModified(false);
        const size_t from = m_unit.ReceivedCount();
        const double elapsed = RunTransfer(dialog, XRCID("Upload_Dump"), [&] { return dialog.IsBusy(); });
        Row(what, dialog.GetSendPause(), Measure(m_unit, from, sent.size(), sent));
        if (templates)
            std::printf("%-30s click to the end of the transfer %.3f s\n", what, elapsed / 1000.0);
        wxRemoveFile(path);
    }

    void OSRow()
    {
        constexpr int kMessages = 20;
        std::vector<Bytes> sent;
        Bytes image;
        for (int n = 0; n < kMessages; ++n)
        {
            Bytes m{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04, 0x7F, 0x00, 0x00, 2 << 3 | 2, 0, static_cast<uint8_t>(n)};
            m.resize(m.size() + 1000, 0x55);
            m.push_back(0xF7);
            sent.push_back(m);
            image.insert(image.end(), m.begin(), m.end());
        }
        const std::string path = std::string(wxFileName::GetTempDir().utf8_str()) + "/dorva-bench-os.syx";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                    static_cast<std::streamsize>(image.size()));
        CUpdateOSDialog dialog(GetTopWindow());
        if (!dialog.LoadImage(path))
            Fail("the OS image did not load");
        ConfirmAnswer confirm;
        const size_t from = m_unit.ReceivedCount();
        RunTransfer(dialog, XRCID("Send_OS_To_Device"), [&] { return dialog.IsSending(); });
        Row("OS image, 20 messages", 100, Measure(m_unit, from, sent.size(), sent));
        wxRemoveFile(path);
    }

    JackUnit m_unit;
    JackUnit m_keys;
};
} // namespace

int main(int argc, char** argv)
{
    JackServer server;
    const std::string jackd = JackServer::FindJackd();
    if (jackd.empty() || !server.Start(jackd))
    {
        std::fprintf(stderr, "no JACK server: %s\n", server.error().c_str());
        return 1;
    }
    wxApp::SetInstance(new PausesApp);
    const int code = wxEntry(argc, argv);
    server.Stop();
    return code != 0 ? code : (g_failures == 0 ? 0 : 1);
}
