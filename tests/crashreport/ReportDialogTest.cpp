#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <wx/frame.h>
#include <wx/stattext.h>

#include "crashreport/dialog/CrashReportProgram.h"
#include "crashreport/dialog/CrashReporter.h"
#include "tests/app/DisplayTestMain.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/crashreport/ReportAnswer.h"
#include "tests/ui/RealInput.h"

namespace fs = std::filesystem;

namespace
{
// A report file, a real mail server, the reporter pointed at it and a user who answers its dialog.
struct ReportDialogTest : testing::Test
{
    ReportDialogTest()
    {
        SetCrashReporterApp(wxTheApp);
        m_previousMail = SetCrashReportMailConfig(LoopbackConfig(m_server->Port()));
        std::ofstream(m_file) << "mask 00 7F 00\n.dotted line\n";
    }
    ~ReportDialogTest() override
    {
        SetCrashReporterApp(nullptr);
        SetCrashReportMailConfig(m_previousMail);
        SetErrorReportFunction({});
    }
    void SetUp() override { ASSERT_TRUE(m_server->Ready()) << "aiosmtpd did not start"; }
    // The user types and clicks (after before, if given); what the dialog shows then is kept.
    void Answer(const wxString& description, const wxString& email, std::function<void(MyDialog&)> before = {})
    {
        m_user.script = [=](MyDialog& dialog) {
            if (before)
                before(dialog);
            AnswerReport(dialog, description, email, wxID_OK);
            m_status = dialog.GetStatus();
            m_buttonsEnabled = dialog.FindWindow(wxID_OK)->IsEnabled() || dialog.FindWindow(wxID_CANCEL)->IsEnabled();
        };
    }
    std::string Mailed() const // all messages, one after the other
    {
        std::string all;
        for (const std::string& message : m_server->Messages())
            all += message;
        return all;
    }

    std::unique_ptr<SmtpTestServer> m_server = std::make_unique<SmtpTestServer>();
    TempFolder m_files;
    const std::string m_file = m_files.File("DorvaEditor-data.txt");
    DialogScript<MyDialog> m_user;
    wxString m_status;
    bool m_buttonsEnabled = true;
    MailConfig m_previousMail;
};
} // namespace

TEST(CrashReportTexts, NamesReplacedInEachTextAndTheOptionTakesOnlyAPath)
{
    EXPECT_EQ(MakeCrashReportTexts("AppName met data it cannot process.", "Dorva Editor", "Brennix").heading,
              "Dorva Editor met data it cannot process.");
    // The vendor replacement comes second, so it also reaches into the name.
    EXPECT_EQ(MakeCrashReportTexts("", "VendorName Tool", "Brennix").heading.BeforeFirst('\n'),
              "Brennix Tool has encountered a problem and needs to close.");
    EXPECT_EQ(ToLatin1(wxString::FromUTF8("Caf\xc3\xa9 \xe2\x98\x83 ok")), "Caf\xe9 ? ok");

    std::string path = "unchanged";
    const std::vector<std::vector<const char*>> refused = {{"editor", "t.syx"}, {"editor", "--crash-report", ""},
        {"editor", "--crash-report"}, {"editor", "--crash-report", "a.dmp", "b.syx"}, {"editor", "--crash-reports", "a"}};
    for (const auto& arguments : refused)
        EXPECT_FALSE(ParseCrashReportOption(static_cast<int>(arguments.size()), arguments.data(), path));
    const char* report[] = {"editor", "--crash-report", "/tmp/Dorva Editor.dmp"};
    EXPECT_TRUE(ParseCrashReportOption(3, report, path));
    EXPECT_EQ(path, "/tmp/Dorva Editor.dmp");
}

TEST_F(ReportDialogTest, TheDialogsTextsAndFieldsAndDontSendKeepsTheFile)
{
    wxObject* made = wxCreateDynamicObject("MyDialog");
    EXPECT_NE(dynamic_cast<MyDialog*>(made), nullptr);
    delete made;
    m_user.script = [](MyDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle() + "|" + dialog.GetName() + "|" + dialog.GetStatus(), "Dorva Editor|dialogBox|");
        std::vector<wxString> texts;
        for (wxWindow* child : dialog.GetChildren())
            if (dynamic_cast<wxStaticText*>(child) && !child->GetLabel().empty())
                texts.push_back(child->GetLabel());
        EXPECT_EQ(texts, std::vector<wxString>({
            "Dorva Editor has encountered a problem and needs to close.\nWe are very sorry for the inconvenience",
            "Please tell Brennix about this problem.",
            "We have created an error report which will help us to improve Dorva Editor. \nWe will treat this report as "
            "confidential and anonymous. \nNo personal data will be transmitted other than what you provide us.",
            "What were you doing when the problem happened?", "Email address (optional)"}));
        auto* description = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_DESCRIPTION));
        auto* email = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_EMAIL));
        ASSERT_TRUE(description && email);
        EXPECT_TRUE(description->IsMultiLine() && !email->IsMultiLine());
        EXPECT_EQ(dialog.FindWindow(wxID_OK)->GetLabel() + "|" + dialog.FindWindow(wxID_CANCEL)->GetLabel(),
                  "&Send|&Don't send");
        EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(wxID_OK));
        ClickButton(dialog, wxID_CANCEL);
    };
    EXPECT_EQ(ShowCrashReporter("", m_file, "Crash", nullptr), wxID_NO);
    EXPECT_EQ(m_user.titles.size(), 1u);
    EXPECT_TRUE(fs::exists(m_file));
    EXPECT_EQ(Mailed(), "");
}

TEST_F(ReportDialogTest, ADataErrorReportMailsTheDescriptionAndFileThenDeletesIt)
{
    InstallReportDialog(*wxTheApp);
    wxFrame main(nullptr, wxID_ANY, "Main");
    Answer("Opened my template.\nThen this.", "  user@example.com ");
    ShowErrorReportDialog(&main, "This template contains settings which cannot be processed properly.", m_file,
                          "Data Error");
    EXPECT_EQ(m_user.parent, &main);
    EXPECT_EQ(m_status, "Report submitted.");
    EXPECT_FALSE(fs::exists(m_file)) << "a sent report is deleted";
    const std::string message = Mailed();
    for (const char* text : {"Subject: Dorva Editor Data Error Report\n", "To: reports@example.com\n",
                             "Reply-To: <user@example.com>\n", "\n\nOpened my template.\nThen this.\n\n--",
                             "filename=\"DorvaEditor-data.txt\""})
        EXPECT_NE(message.find(text), std::string::npos) << text << message;
    EXPECT_EQ(Attachment(message), "mask 00 7F 00\n.dotted line\n");

    std::ofstream(m_file) << "again";
    Answer("", ""); // an empty description and address still send
    EXPECT_EQ(ShowCrashReporter("Data error", m_file, "Data Error", nullptr), wxID_YES);
    EXPECT_NE(Mailed().find("Reply-To: <>\n"), std::string::npos);
}

// A failed send stays on screen with both buttons back: the user reads it,
// then sends again (the server is back) or does not send.
TEST_F(ReportDialogTest, AFailedSendIsShownAndTheUserMayTryAgainOrNot)
{
    for (const int second : {wxID_OK, wxID_CANCEL})
    {
        std::vector<wxString> statuses;
        m_user.script = [&](MyDialog& dialog) {
            m_server.reset();
            AnswerReport(dialog, "What I did", "user@example.com", wxID_OK);
            EXPECT_TRUE(dialog.IsModal()) << "the dialog stays after a failure";
            statuses.push_back(dialog.GetStatus());
            EXPECT_TRUE(dialog.FindWindow(wxID_OK)->IsEnabled() && dialog.FindWindow(wxID_CANCEL)->IsEnabled());
            m_server = std::make_unique<SmtpTestServer>();
            ASSERT_TRUE(m_server->Ready());
            SetCrashReportMailConfig(LoopbackConfig(m_server->Port()));
            AnswerReport(dialog, "What I did", "user@example.com", second);
            statuses.push_back(dialog.GetStatus());
        };
        EXPECT_EQ(ShowCrashReporter("", m_file, "Crash", nullptr), second == wxID_OK ? wxID_YES : wxID_NO);
        const wxString last = second == wxID_OK ? "Report submitted." : "Report submission failed.";
        EXPECT_EQ(statuses, (std::vector<wxString>{"Report submission failed.", last}));
        EXPECT_EQ(fs::exists(m_file), second == wxID_CANCEL);
        EXPECT_EQ(Mailed().empty(), second == wxID_CANCEL);
        std::ofstream(m_file) << "again";
    }
}

// A server that takes the connection and stays silent: while the mail waits
// for it the dialog shows that it sends, on screen, with both buttons grey;
// the user's clicks meanwhile start nothing, and after the failure one click
// sends once.
TEST_F(ReportDialogTest, WhileASilentServerIsWaitedForTheDialogStaysLiveAndClicksStartNothing)
{
    SilentServer silent;
    MailConfig config = LoopbackConfig(silent.Port());
    config.timeoutMs = 1500;
    SetCrashReportMailConfig(config);
    m_user.script = [&](MyDialog& dialog) {
        wxWindow* send = dialog.FindWindow(wxID_OK);
        wxWindow* dontSend = dialog.FindWindow(wxID_CANCEL);
        RealInput::Click(send);
        ASSERT_TRUE(RealInput::PumpUntil([&] {
            return dialog.GetStatus() == "Sending report..." && !send->IsEnabled() && !dontSend->IsEnabled();
        })) << dialog.GetStatus();
        wxWindow* status = nullptr;
        for (wxWindow* child : dialog.GetChildren())
            if (child->GetLabel() == "Sending report...")
                status = child;
        ASSERT_NE(status, nullptr);
        // Painted: the label's place on screen holds more than its background.
        EXPECT_TRUE(RealInput::PumpUntil([&] {
            const wxImage shown = RealInput::OnScreen(status);
            for (int x = 0; x < shown.GetWidth(); ++x)
                for (int y = 0; y < shown.GetHeight(); ++y)
                    if (shown.GetRed(x, y) != shown.GetRed(0, 0))
                        return true;
            return false;
        }));
        RealInput::Click(send);
        RealInput::Click(dontSend);
        EXPECT_TRUE(dialog.IsModal() && dialog.GetStatus() == "Sending report...") << "the send ended first";
        EXPECT_TRUE(RealInput::PumpUntil([&] { return dialog.GetStatus() == "Report submission failed."; }));
        EXPECT_TRUE(send->IsEnabled() && dontSend->IsEnabled());
        RealInput::Settle();
        EXPECT_EQ(silent.Connections(), 2) << "the host's probe and one send";

        SetCrashReportMailConfig(LoopbackConfig(m_server->Port()));
        RealInput::Click(send);
        EXPECT_TRUE(RealInput::PumpUntil([&] { return !dialog.IsModal(); }));
    };
    EXPECT_EQ(ShowCrashReporter("", m_file, "Crash", nullptr), wxID_YES);
    EXPECT_EQ(silent.Connections(), 2);
    EXPECT_EQ(m_server->Messages().size(), 1u);
    EXPECT_FALSE(fs::exists(m_file));
}

TEST_F(ReportDialogTest, AnUnreachableHostOrNoApplicationShowsNoDialog)
{
    SetCrashReportMailConfig(LoopbackConfig(FreeLoopbackPort()));
    EXPECT_EQ(ShowCrashReporter("", m_file, "Crash", nullptr), wxID_NONE);
    EXPECT_EQ(ShowCrashReportDialog(m_file, "", "Crash", true, nullptr), wxID_NONE);
    SetCrashReportMailConfig(LoopbackConfig(m_server->Port()));
    SetCrashReporterApp(nullptr);
    EXPECT_EQ(ShowCrashReporter("", m_file, "Crash", nullptr), wxID_NONE);
    EXPECT_TRUE(m_user.titles.empty());
    EXPECT_TRUE(fs::exists(m_file));
}

TEST_F(ReportDialogTest, ACrashDumpIsReportedUnderTheProgramItNames)
{
    const wxString name = wxTheApp->GetAppName(), vendor = wxTheApp->GetVendorName();
    const std::string dump = m_files.File("Dorva Test.dmp");
    std::ofstream(dump) << "DORVA-CRASH-DUMP 1\nProgram: Dorva Test\nVendor: Acme Test\nRegisters:\nunavailable\n";
    std::ofstream(m_file) << "Program: Something\n";
    wxString request;
    Answer("Clicked Send", "", [&request](MyDialog& dialog) { request = dialog.GetRequest(); });
    EXPECT_TRUE(ShowCrashReportForDump(dump));
    EXPECT_FALSE(ShowCrashReportForDump(m_file)) << "not a dump";
    wxTheApp->SetAppName(name);
    wxTheApp->SetVendorName(vendor);
    EXPECT_EQ(m_user.titles, std::vector<wxString>{"Dorva Test"});
    EXPECT_EQ(request, "Please tell Acme Test about this problem.");
    EXPECT_NE(Mailed().find("Subject: Dorva Test Crash Report\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(dump));
    EXPECT_TRUE(fs::exists(m_file));
}

// The crashing program, started again for the report: one binary, as in the editor.
TEST_F(ReportDialogTest, TheRelaunchedProgramMailsTheCrashAndTheProcessStillDies)
{
    const std::string out = m_files.File("out"), dump = m_files.File("Dorva Test.dmp");
    const char* const rows[][4] = {
        {"throw", "dontsend", "6", "6 SIGABRT|Uncaught exception: std::runtime_error: thrown from an event handler"},
        {"segv", "dontsend", "11", "11 SIGSEGV|<missing>"}, {"segv", "send", "11", ""}};
    for (const auto& row : rows)
    {
        const int status = WaitForProgram(StartProgram({CRASHING_PROGRAM}, {{"TMPDIR", m_files.Path()},
            {"DORVA_TEST_CRASH", row[0]}, {"DORVA_TEST_SMTP_PORT", std::to_string(m_server->Port())},
            {"DORVA_TEST_ANSWER", row[1]}}, out));
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == std::atoi(row[2])) << status << ReadText(out);
        EXPECT_TRUE(!*row[3] || DumpField(ReadText(dump), "Signal") + "|" + DumpField(ReadText(dump), "Reason") == row[3])
            << ReadText(dump);
    }
    const std::string message = Mailed();
    for (const char* text : {"Subject: Dorva Test Crash Report\n", "Reply-To: <tester@example.com>\n",
                             "\n\nIt crashed while I saved.\n\n--", "filename=\"Dorva Test.dmp\""})
        EXPECT_NE(message.find(text), std::string::npos) << text << message;
    const std::string mailed = Attachment(message);
    EXPECT_EQ(mailed.rfind("DORVA-CRASH-DUMP 1\nProgram: Dorva Test\nVendor: Brennix\n", 0), 0u) << mailed;
    EXPECT_EQ(DumpField(mailed, "Signal"), "11 SIGSEGV");
    EXPECT_FALSE(fs::exists(dump)) << "a sent dump is deleted";
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] {
        auto* app = new wxApp;
        app->SetAppName("Dorva Editor");
        app->SetVendorName("Brennix");
        return app;
    });
}
