#pragma once

#include <thread>

#include <wx/dialog.h>
#include <wx/string.h>
#include <wx/timer.h>

class wxAppConsole;
class wxButton;
class wxStaticText;
class wxTextCtrl;

// The report dialog: asks the user to mail a crash dump or a data-error file
// with a description and an optional e-mail address. Send mails the report
// (the file is deleted once the server took it), shows "Report submitted."
// and ends with wxID_YES shortly after; when sending fails the dialog stays
// with the failure shown and both buttons enabled again. Don't send ends with
// wxID_NO and keeps the file. The mail goes on a thread of its own (with the
// mail time-outs) while the dialog stays live with both buttons disabled and
// "Sending report..." shown; nothing closes it meanwhile.
class MyDialog : public wxDialog
{
public:
    enum
    {
        ID_DESCRIPTION = 10001,
        ID_EMAIL = 10002
    };

    MyDialog() = default;
    // Waits for a send still on its way.
    ~MyDialog() override;
    // app names the program and its vendor in the texts; it is not owned.
    bool Create(wxWindow* parent, wxAppConsole* app, const wxString& reportFile, const wxString& message,
                const wxString& reportType);

    const wxString& GetHeading() const { return m_heading; }
    const wxString& GetRequest() const { return m_request; }
    const wxString& GetExplanation() const { return m_explanation; }
    wxString GetStatus() const;
    // Empty once the report was sent (and its file deleted).
    const wxString& GetReportFile() const { return m_reportFile; }

private:
    void BuildControls();
    void OnSend(wxCommandEvent& event);
    void OnDontSend(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    // Back on the GUI thread with the mail's outcome.
    void OnSent(bool sent);
    void OnShownResult(wxTimerEvent& event);

    // How long "Report submitted." shows before the dialog closes.
    static constexpr int kShowResultMs = 1500;
    wxTimer m_closeTimer;

    wxString m_heading;
    wxString m_request;
    wxString m_explanation;
    wxString m_reportType;
    wxAppConsole* m_app = nullptr;
    wxString m_reportFile;
    wxTextCtrl* m_description = nullptr;
    wxTextCtrl* m_email = nullptr;
    wxStaticText* m_status = nullptr;
    wxButton* m_send = nullptr;
    wxButton* m_dontSend = nullptr;
    // Runs the mail; joined once its outcome is back.
    std::thread m_sender;

    wxDECLARE_DYNAMIC_CLASS(MyDialog);
    wxDECLARE_EVENT_TABLE();
};

// The dialog's three texts for a program and vendor: "AppName" is replaced
// first, then "VendorName", in each.
struct CrashReportTexts
{
    wxString heading;
    wxString request;
    wxString explanation;
};
CrashReportTexts MakeCrashReportTexts(const wxString& message, const wxString& appName,
                                      const wxString& vendorName);

// The description as the mail's body declares it: ISO-8859-1, with "?" for
// every character outside it.
std::string ToLatin1(const wxString& text);
