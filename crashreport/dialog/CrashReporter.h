#pragma once

#include <wx/string.h>

#include "crashreport/MailConfig.h"

class wxAppConsole;
class wxWindow;

// The crash reporter's side in the running program. GUI thread only.

// InstallReportDialog, then the fatal-signal handler, whose dumps carry the
// application's name and vendor name. Start-up calls it once, after it has set
// both names. False when the signal handler could not be installed (the
// dialog is installed all the same).
bool InstallCrashHandler(wxAppConsole& app);

// Remembers the application (its name and vendor name are the dialog's) and
// makes the report dialog the application's data-error report.
void InstallReportDialog(wxAppConsole& app);

// The application the dialogs name; while none is set no dialog is shown.
void SetCrashReporterApp(wxAppConsole* app);
wxAppConsole* GetCrashReporterApp();

// Where reports are mailed; DefaultMailConfig() until replaced. Returns the
// one it replaced.
MailConfig SetCrashReportMailConfig(const MailConfig& config);
const MailConfig& CrashReportMailConfig();

// The report dialog in its non-fatal form (a data error, the program goes on).
// Returns the dialog's result, or wxID_NONE when it was not shown.
int ShowCrashReporter(const wxString& message, const wxString& reportFile, const wxString& reportType,
                      wxWindow* parent);

// Shows the report dialog for the file when an application is set and the mail
// host answers (else nothing: the file stays where it is). With
// exitAfterwards, the application's fatal-exception notification follows.
int ShowCrashReportDialog(const wxString& reportFile, const wxString& message, const wxString& reportType,
                          bool exitAfterwards, wxWindow* parent);
