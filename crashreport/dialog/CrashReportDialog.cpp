#include "crashreport/dialog/CrashReportDialog.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filefn.h>
#include <wx/font.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/WxText.h"
#include "crashreport/MailReport.h"
#include "crashreport/dialog/CrashReporter.h"

wxIMPLEMENT_DYNAMIC_CLASS(MyDialog, wxDialog);

wxBEGIN_EVENT_TABLE(MyDialog, wxDialog)
    EVT_BUTTON(wxID_OK, MyDialog::OnSend)
    EVT_BUTTON(wxID_CANCEL, MyDialog::OnDontSend)
    EVT_CLOSE(MyDialog::OnClose)
    EVT_TIMER(wxID_ANY, MyDialog::OnShownResult)
wxEND_EVENT_TABLE()

CrashReportTexts MakeCrashReportTexts(const wxString& message, const wxString& appName,
                                      const wxString& vendorName)
{
    CrashReportTexts texts;
    texts.heading = !message.empty()
        ? message
        : wxString("AppName has encountered a problem and needs to close.\nWe are very sorry for the inconvenience");
    texts.request = "Please tell VendorName about this problem.";
    texts.explanation = "We have created an error report which will help us to improve AppName. \n"
                        "We will treat this report as confidential and anonymous. \n"
                        "No personal data will be transmitted other than what you provide us.";
    for (wxString* text : {&texts.heading, &texts.request, &texts.explanation})
    {
        text->Replace("AppName", appName);
        text->Replace("VendorName", vendorName);
    }
    return texts;
}

std::string ToLatin1(const wxString& text)
{
    std::string bytes;
    bytes.reserve(text.length());
    for (wxUniChar c : text)
        bytes += c.GetValue() < 0x100 ? static_cast<char>(c.GetValue()) : '?';
    return bytes;
}

bool MyDialog::Create(wxWindow* parent, wxAppConsole* app, const wxString& reportFile, const wxString& message,
                      const wxString& reportType)
{
    m_app = app;
    m_reportFile = reportFile;
    m_reportType = reportType;
    const wxString appName = app ? app->GetAppName() : wxString();
    if (!wxDialog::Create(parent, wxID_ANY, appName, wxDefaultPosition, wxDefaultSize,
                          wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"))
        return false;

    const CrashReportTexts texts = MakeCrashReportTexts(message, appName, app ? app->GetVendorName() : wxString());
    m_heading = texts.heading;
    m_request = texts.request;
    m_explanation = texts.explanation;

    BuildControls();
    GetSizer()->Fit(this);
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void MyDialog::BuildControls()
{
    auto* grid = new wxFlexGridSizer(1, 0, 0);
    grid->AddGrowableCol(0);

    // Static texts show "&" as a mnemonic marker; these texts are plain.
    auto addText = [&](const wxString& text, int border) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        auto* label = new wxStaticText(this, wxID_ANY, wxControl::EscapeMnemonics(text));
        row->Add(label, 0, wxALL, border);
        grid->Add(row, 0, wxEXPAND);
        return label;
    };

    addText(m_heading, 15);
    wxStaticText* request = addText(m_request, 5);
    wxFont bold = request->GetFont();
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    request->SetFont(bold);
    addText(m_explanation, 15);
    addText(_("What were you doing when the problem happened?"), 5);

    m_description = new wxTextCtrl(this, ID_DESCRIPTION, wxString(), wxDefaultPosition, wxSize(-1, 100),
                                   wxTE_MULTILINE);
    grid->Add(m_description, 1, wxEXPAND | wxALL, 5);
    grid->AddGrowableRow(grid->GetItemCount() - 1);

    addText(_("Email address (optional)"), 5);
    m_email = new wxTextCtrl(this, ID_EMAIL);
    grid->Add(m_email, 0, wxEXPAND | wxALL, 5);

    m_status = addText(wxString(), 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_send = new wxButton(this, wxID_OK, _("&Send"));
    m_dontSend = new wxButton(this, wxID_CANCEL, _("&Don't send"));
    m_send->SetDefault();
    buttons->Add(m_send, 0, wxALL, 5);
    buttons->Add(m_dontSend, 0, wxALL, 5);
    grid->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 10);

    SetSizer(grid);
}

wxString MyDialog::GetStatus() const
{
    return m_status ? m_status->GetLabel() : wxString();
}

MyDialog::~MyDialog()
{
    if (m_sender.joinable())
        m_sender.join();
}

void MyDialog::OnSend(wxCommandEvent&)
{
    // A click that was on its way while a send ran starts nothing.
    if (m_sender.joinable())
        return;
    m_send->Disable();
    m_dontSend->Disable();
    m_status->SetLabel("Sending report...");
    Layout();

    // The thread gets copies: it reads nothing of the dialog.
    const MailConfig mail = CrashReportMailConfig();
    wxString email = m_email->GetValue();
    email.Trim(true).Trim(false);
    const wxString appName = m_app ? m_app->GetAppName() : wxString();
    const std::string replyTo = FromWx(email);
    const std::string subject = FromWx(appName + " " + m_reportType + " Report");
    const std::string body = ToLatin1(m_description->GetValue());
    const std::string file = FromWx(m_reportFile);
    m_sender = std::thread([this, mail, replyTo, subject, body, file] {
        const bool sent = MailReport(replyTo, mail.reportAddress, subject, body, file, mail);
        CallAfter([this, sent] { OnSent(sent); });
    });
}

void MyDialog::OnSent(bool sent)
{
    m_sender.join();
    if (sent)
    {
        // The user reads that the report went before the dialog goes.
        m_status->SetLabel("Report submitted.");
        wxRemoveFile(m_reportFile);
        m_reportFile.clear();
        m_closeTimer.SetOwner(this);
        m_closeTimer.StartOnce(kShowResultMs);
    }
    else
    {
        // The dialog stays: the user may send again or not send.
        m_status->SetLabel("Report submission failed.");
        m_send->Enable();
        m_dontSend->Enable();
    }
    Layout();
}

void MyDialog::OnClose(wxCloseEvent& event)
{
    // The title bar's close button waits, like the two buttons, until the
    // send is over.
    if (m_sender.joinable() && event.CanVeto())
        event.Veto();
    else
        event.Skip();
}

void MyDialog::OnShownResult(wxTimerEvent&)
{
    if (IsModal())
        EndModal(wxID_YES);
}

void MyDialog::OnDontSend(wxCommandEvent&)
{
    EndModal(wxID_NO);
}
