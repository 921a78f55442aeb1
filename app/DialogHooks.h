#pragma once

#include <functional>

#include <wx/string.h>

class wxWindow;

// The modal hand-offs of the application: every message box, every file and
// folder chooser and the data-error report dialog go through these functions,
// so a test replaces them with a recorder and never blocks on a real modal box.
// Each Set... installs a replacement (an empty function restores the real
// one) and returns the one it replaced. GUI thread only.

// A message box, its texts made Readable (a path may hold bytes that are no
// text); returns the toolkit's answer (wxYES, wxNO, wxOK, wxCANCEL).
using MessageBoxFunction =
    std::function<int(const wxString& text, const wxString& caption, long style, wxWindow* parent)>;
int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

// A file chooser. On OK the function stores the chosen path and returns true.
struct FileDialogRequest
{
    wxWindow* parent = nullptr;
    wxString folder;   // the folder shown first
    wxString file;     // the file name offered
    wxString wildcard; // "Description|*.ext|..."
    bool save = false; // save (asks before overwriting) or open
};
using FileDialogFunction = std::function<bool(const FileDialogRequest& request, wxString& chosen)>;
bool RunFileDialog(const FileDialogRequest& request, wxString& chosen);
FileDialogFunction SetFileDialogFunction(FileDialogFunction function);

// A folder chooser. On OK the function stores the chosen folder and returns true.
struct FolderDialogRequest
{
    wxWindow* parent = nullptr;
    wxString message; // shown above the folder tree
    wxString folder;  // the folder shown first
};
using FolderDialogFunction = std::function<bool(const FolderDialogRequest& request, wxString& chosen)>;
bool RunFolderDialog(const FolderDialogRequest& request, wxString& chosen);
FolderDialogFunction SetFolderDialogFunction(FolderDialogFunction function);

// The crash reporter's report dialog in its non-fatal form (data errors).
// Until the crash reporter installs its dialog, a report is only logged.
using ErrorReportFunction = std::function<void(wxWindow* parent, const wxString& message,
                                               const wxString& reportFile, const wxString& reportType)>;
void ShowErrorReportDialog(wxWindow* parent, const wxString& message, const wxString& reportFile,
                           const wxString& reportType);
ErrorReportFunction SetErrorReportFunction(ErrorReportFunction function);
