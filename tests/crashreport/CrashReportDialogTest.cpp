#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/stattext.h>

#include "app/DialogHooks.h"
#include "crashreport/CrashDump.h"
#include "crashreport/dialog/CrashReportDialog.h"
#include "crashreport/dialog/CrashReportProgram.h"
#include "crashreport/dialog/CrashReporter.h"
#include "tests/app/DisplayTestMain.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/crashreport/MailTestSupport.h"
#include "tests/crashreport/ReportDialogScript.h"

namespace
{
const wxString kDefaultHeading =
    "Dorva Editor has encountered a problem and needs to close.\nWe are very sorry for the inconvenience";
const wxString kExplanation = "We have created an error report which will help us to improve Dorva Editor. \n"
                              "We will treat this report as confidential and anonymous. \n"
                              "No personal data will be transmitted other than what you provide us.";

class TestApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

bool HasStaticText(wxWindow& window, const wxString& label)
{
    for (wxWindow* child : window.GetChildren())
        if (wxDynamicCast(child, wxStaticText) && child->GetLabel() == label)
            return true;
    return false;
}

// A report file, a real mail server and the reporter pointed at it.
class ReportDialogTest : public testing::Test
{
protected:
    ReportDialogTest()
    {
        SetCrashReporterApp(wxTheApp);
        m_previousMail = SetCrashReportMailConfig(LoopbackConfig(m_server->Port()));
    }
    ~ReportDialogTest() override
    {
        SetCrashReporterApp(nullptr);
        SetCrashReportMailConfig(m_previousMail);
        SetErrorReportFunction({});
    }
    void SetUp() override { ASSERT_TRUE(m_server->Ready()) << "aiosmtpd did not start"; }

    std::string ReportFile(const std::string& content = "bits the model does not hold\n")
    {
        return WriteFile(m_files, "DorvaEditor-data.txt", content);
    }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
    std::vector<std::string> Messages() const { return m_server ? m_server->Messages() : std::vector<std::string>(); }

    std::unique_ptr<SmtpTestServer> m_server = std::make_unique<SmtpTestServer>();
    TempFolder m_files;
    ReportDialogScript m_script;
    MailConfig m_previousMail;
};

void SendWith(ReportDialogScript& script, const wxString& description, const wxString& email)
{
    script.whileShown = [=](MyDialog& dialog) {
        ReportDialogScript::Type(dialog, description, email);
        ReportDialogScript::Click(dialog, wxID_OK);
    };
}
} // namespace

TEST(CrashReportTexts, NameThenVendorReplacedInEachText)
{
    const CrashReportTexts texts = MakeCrashReportTexts("", "Dorva Editor", "Brennix");
    EXPECT_EQ(texts.heading, kDefaultHeading);
    EXPECT_EQ(texts.request, "Please tell Brennix about this problem.");
    EXPECT_EQ(texts.explanation, kExplanation);

    EXPECT_EQ(MakeCrashReportTexts("AppName met data it cannot process.", "Dorva Editor", "Brennix").heading,
              "Dorva Editor met data it cannot process.");
    // The vendor replacement comes second, so it also reaches into the name.
    EXPECT_EQ(MakeCrashReportTexts("", "VendorName Tool", "Brennix").heading,
              "Brennix Tool has encountered a problem and needs to close.\nWe are very sorry for the inconvenience");
}

TEST(CrashReportTexts, BodyIsLatin1WithQuestionMarksForTheRest)
{
    EXPECT_EQ(ToLatin1(wxString::FromUTF8("Caf\xc3\xa9 \xe2\x98\x83 ok")), "Caf\xe9 ? ok");
    EXPECT_EQ(ToLatin1(""), "");
}

TEST(CrashReportOption, OnlyTheOptionWithAPath)
{
    std::string path;
    const char* report[] = {"editor", "--crash-report", "/tmp/Dorva Editor.dmp"};
    ASSERT_TRUE(ParseCrashReportOption(3, report, path));
    EXPECT_EQ(path, "/tmp/Dorva Editor.dmp");

    const char* plain[] = {"editor", "template.syx"};
    const char* empty[] = {"editor", "--crash-report", ""};
    const char* missing[] = {"editor", "--crash-report"};
    const char* extra[] = {"editor", "--crash-report", "a.dmp", "b.syx"};
    const char* other[] = {"editor", "--crash-reports", "a.dmp"};
    EXPECT_FALSE(ParseCrashReportOption(2, plain, path));
    EXPECT_FALSE(ParseCrashReportOption(3, empty, path));
    EXPECT_FALSE(ParseCrashReportOption(2, missing, path));
    EXPECT_FALSE(ParseCrashReportOption(4, extra, path));
    EXPECT_FALSE(ParseCrashReportOption(3, other, path));
}

TEST_F(ReportDialogTest, DialogShowsTheTextsAndControls)
{
    wxObject* made = wxCreateDynamicObject("MyDialog");
    EXPECT_NE(wxDynamicCast(made, MyDialog), nullptr);
    delete made;

    m_script.whileShown = [](MyDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Dorva Editor");
        EXPECT_EQ(dialog.GetName(), "dialogBox");
        EXPECT_EQ(dialog.GetHeading(), kDefaultHeading);
        EXPECT_EQ(dialog.GetExplanation(), kExplanation);
        EXPECT_TRUE(HasStaticText(dialog, kDefaultHeading));
        EXPECT_TRUE(HasStaticText(dialog, "Please tell Brennix about this problem."));
        EXPECT_TRUE(HasStaticText(dialog, kExplanation));
        EXPECT_TRUE(HasStaticText(dialog, "What were you doing when the problem happened?"));
        EXPECT_TRUE(HasStaticText(dialog, "Email address (optional)"));
        EXPECT_EQ(dialog.GetStatus(), "");
        auto* description = wxDynamicCast(dialog.FindWindow(10001), wxTextCtrl);
        auto* email = wxDynamicCast(dialog.FindWindow(10002), wxTextCtrl);
        ASSERT_TRUE(description && email);
        EXPECT_TRUE(description->IsMultiLine());
        EXPECT_FALSE(email->IsMultiLine());
        auto* send = wxDynamicCast(dialog.FindWindow(wxID_OK), wxButton);
        auto* dontSend = wxDynamicCast(dialog.FindWindow(wxID_CANCEL), wxButton);
        ASSERT_TRUE(send && dontSend);
        EXPECT_EQ(send->GetLabel(), "&Send");
        EXPECT_EQ(dontSend->GetLabel(), "&Don't send");
        EXPECT_EQ(dialog.GetDefaultItem(), send);
        ReportDialogScript::Click(dialog, wxID_CANCEL);
    };
    const std::string file = ReportFile();
    EXPECT_EQ(ShowCrashReporter("", file, "Crash", nullptr), wxID_NO);
    EXPECT_EQ(m_script.shown, 1);
    EXPECT_TRUE(Exists(file)) << "Don't send keeps the file";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ReportDialogTest, DataErrorReportMailsDescriptionAndFileThenDeletesIt)
{
    InstallReportDialog(*wxTheApp);
    wxFrame main(nullptr, wxID_ANY, "Main");
    const std::string content = "mask 00 7F 00\n.dotted line\n";
    const std::string file = ReportFile(content);
    SendWith(m_script, "Opened my template.\nThen this.", "  user@example.com ");

    ShowErrorReportDialog(&main, "This template contains settings which cannot be processed properly.", file,
                          "Data Error");

    EXPECT_EQ(m_script.shown, 1);
    EXPECT_EQ(m_script.parent, &main);
    EXPECT_EQ(m_script.statusAtClose, "Report submitted.");
    EXPECT_FALSE(Exists(file)) << "a sent report is deleted";
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    const std::string message = WithoutCR(messages[0]);
    EXPECT_NE(message.find("Subject: Dorva Editor Data Error Report\n"), std::string::npos) << message;
    EXPECT_NE(message.find("To: reports@example.com\n"), std::string::npos);
    EXPECT_NE(message.find("Reply-To: <user@example.com>\n"), std::string::npos);
    EXPECT_NE(message.find("\n\nOpened my template.\nThen this.\n\n--"), std::string::npos);
    EXPECT_NE(message.find("filename=\"DorvaEditor-data.txt\""), std::string::npos);
    EXPECT_EQ(DecodeBase64(AttachmentText(message)), content);
}

TEST_F(ReportDialogTest, EmptyDescriptionAndAddressStillSend)
{
    SendWith(m_script, "", "");
    const std::string file = ReportFile();
    EXPECT_EQ(ShowCrashReporter("Data error", file, "Data Error", nullptr), wxID_YES);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(WithoutCR(Messages()[0]).find("Reply-To: <>\n"), std::string::npos);
    EXPECT_FALSE(Exists(file));
}

TEST_F(ReportDialogTest, RefusedMailShowsTheFailureAndKeepsTheFile)
{
    MailConfig refusing = LoopbackConfig(m_server->Port());
    refusing.reportAddress = "nobody@example.com";
    SetCrashReportMailConfig(refusing);
    SendWith(m_script, "What I did", "user@example.com");
    const std::string file = ReportFile();

    EXPECT_EQ(ShowCrashReporter("", file, "Crash", nullptr), wxID_NO);
    EXPECT_EQ(m_script.statusAtClose, "Report submission failed.");
    EXPECT_FALSE(m_script.buttonsEnabledAtClose) << "both buttons are disabled while sending";
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ReportDialogTest, AHostGoneAfterTheDialogOpenedShowsTheFailure)
{
    m_script.whileShown = [this](MyDialog& dialog) {
        m_server.reset();
        ReportDialogScript::Type(dialog, "What I did", "");
        ReportDialogScript::Click(dialog, wxID_OK);
    };
    EXPECT_EQ(ShowCrashReporter("", ReportFile(), "Crash", nullptr), wxID_NO);
    EXPECT_EQ(m_script.statusAtClose, "Report submission failed.");
}

TEST_F(ReportDialogTest, AnUnreachableHostOrNoApplicationShowsNoDialogAndKeepsTheFile)
{
    const std::string file = ReportFile();
    SetCrashReportMailConfig(LoopbackConfig(FreeLoopbackPort()));
    EXPECT_EQ(ShowCrashReporter("", file, "Crash", nullptr), wxID_NONE);
    EXPECT_EQ(ShowCrashReportDialog(file, "", "Crash", true, nullptr), wxID_NONE);
    SetCrashReportMailConfig(LoopbackConfig(m_server->Port()));
    SetCrashReporterApp(nullptr);
    EXPECT_EQ(ShowCrashReporter("", file, "Crash", nullptr), wxID_NONE);
    EXPECT_EQ(m_script.shown, 0);
    EXPECT_TRUE(Exists(file));
}

TEST_F(ReportDialogTest, CrashDumpIsReportedUnderTheProgramItNames)
{
    const wxString oldName = wxTheApp->GetAppName();
    const wxString oldVendor = wxTheApp->GetVendorName();
    const std::string dump =
        WriteFile(m_files, "Dorva Test.dmp", "DORVA-CRASH-DUMP 1\nProgram: Dorva Test\nVendor: Acme Test\n"
                                             "Signal: 11 SIGSEGV\nRegisters:\nunavailable\n");
    wxString request;
    m_script.whileShown = [&](MyDialog& dialog) {
        request = dialog.GetRequest();
        ReportDialogScript::Type(dialog, "Clicked Send", "");
        ReportDialogScript::Click(dialog, wxID_OK);
    };
    EXPECT_TRUE(ShowCrashReportForDump(dump));
    EXPECT_EQ(m_script.titleAtClose, "Dorva Test");
    EXPECT_EQ(request, "Please tell Acme Test about this problem.");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(WithoutCR(Messages()[0]).find("Subject: Dorva Test Crash Report\n"), std::string::npos);
    EXPECT_FALSE(Exists(dump));

    const std::string notADump = WriteFile(m_files, "notes.txt", "Program: Something\n");
    EXPECT_FALSE(ShowCrashReportForDump(notADump));
    EXPECT_EQ(m_script.shown, 1);
    EXPECT_TRUE(Exists(notADump));
    wxTheApp->SetAppName(oldName);
    wxTheApp->SetVendorName(oldVendor);
}

// The crashing program and the report program are one binary, as in the editor.
class CrashReportProgramTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Ready()) << "aiosmtpd did not start"; }

    int Run(const std::string& answer, const std::string& crash = "segv")
    {
        return RunProgram({REPORT_PROGRAM},
                          {{"TMPDIR", m_folder.Path()},
                           {"DORVA_TEST_CRASH", crash},
                           {"DORVA_TEST_SMTP_PORT", std::to_string(m_server.Port())},
                           {"DORVA_TEST_ANSWER", answer},
                           {"DORVA_TEST_DESCRIPTION", "It crashed while I saved."},
                           {"DORVA_TEST_EMAIL", "tester@example.com"}},
                          m_folder.File("output"));
    }
    std::string DumpPath() const { return m_folder.File("Dorva Test.dmp"); }

    SmtpTestServer m_server;
    TempFolder m_folder;
};

TEST_F(CrashReportProgramTest, CrashIsMailedByTheRelaunchedProgramAndTheProcessStillDies)
{
    const int status = Run("send");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV)
        << "status " << status << "\n" << ReadText(m_folder.File("output"));
    const std::vector<std::string> messages = m_server.Messages();
    ASSERT_EQ(messages.size(), 1u) << ReadText(m_folder.File("output"));
    const std::string message = WithoutCR(messages[0]);
    EXPECT_NE(message.find("Subject: Dorva Test Crash Report\n"), std::string::npos);
    EXPECT_NE(message.find("Reply-To: <tester@example.com>\n"), std::string::npos);
    EXPECT_NE(message.find("\n\nIt crashed while I saved.\n\n--"), std::string::npos);
    EXPECT_NE(message.find("filename=\"Dorva Test.dmp\""), std::string::npos);
    const std::string dump = DecodeBase64(AttachmentText(message));
    EXPECT_EQ(dump.rfind("DORVA-CRASH-DUMP 1\nProgram: Dorva Test\nVendor: Brennix\n", 0), 0u) << dump;
    EXPECT_EQ(DumpField(dump, "Signal"), "11 SIGSEGV");
    EXPECT_FALSE(std::filesystem::exists(DumpPath())) << "a sent dump is deleted";
}

TEST_F(CrashReportProgramTest, ExceptionEscapingAnEventHandlerIsReportedAsUncaught)
{
    const int status = Run("dontsend", "throw");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT)
        << "status " << status << "\n" << ReadText(m_folder.File("output"));
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(DumpField(dump, "Signal"), "6 SIGABRT");
    EXPECT_EQ(DumpField(dump, "Reason"), "Uncaught exception: std::runtime_error: thrown from an event handler");
}

TEST_F(CrashReportProgramTest, DumpStaysWhenTheUserDoesNotSend)
{
    const int status = Run("dontsend");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV) << "status " << status;
    EXPECT_TRUE(m_server.Messages().empty());
    EXPECT_EQ(ReadText(DumpPath()).rfind(kCrashDumpMagic, 0), 0u);
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] {
        auto* app = new TestApp;
        app->SetAppName("Dorva Editor");
        app->SetVendorName("Brennix");
        return app;
    });
}
