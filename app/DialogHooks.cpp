#include "app/DialogHooks.h"

#include <utility>

#include <wx/log.h>
#include <wx/msgdlg.h>

#include "app/SystemFileChooser.h"
#include "app/SystemFolderChooser.h"
#include "app/WxText.h"

namespace
{
int RealMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent)
{
    return wxMessageBox(text, caption, style, parent);
}

bool RealFileDialog(const FileDialogRequest& request, wxString& chosen)
{
    return ShowSystemFileChooser(request, chosen);
}

bool RealFolderDialog(const FolderDialogRequest& request, wxString& chosen)
{
    return ShowSystemFolderChooser(request, chosen);
}

void LoggedErrorReport(wxWindow*, const wxString& message, const wxString& reportFile,
                       const wxString& reportType)
{
    // Debug level: printed on stderr, never shown in a box.
    wxLogDebug("%s report not sent (no report dialog): %s [%s]", reportType, message, reportFile);
}

MessageBoxFunction& MessageBoxSlot()
{
    static MessageBoxFunction function = RealMessageBox;
    return function;
}

FileDialogFunction& FileDialogSlot()
{
    static FileDialogFunction function = RealFileDialog;
    return function;
}

FolderDialogFunction& FolderDialogSlot()
{
    static FolderDialogFunction function = RealFolderDialog;
    return function;
}

ErrorReportFunction& ErrorReportSlot()
{
    static ErrorReportFunction function = LoggedErrorReport;
    return function;
}

template <typename Function>
Function Replace(Function& slot, Function replacement, Function real)
{
    Function previous = std::move(slot);
    slot = replacement ? std::move(replacement) : std::move(real);
    return previous;
}
} // namespace

int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent)
{
    return MessageBoxSlot()(Readable(text), Readable(caption), style, parent);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function)
{
    return Replace(MessageBoxSlot(), std::move(function), MessageBoxFunction(RealMessageBox));
}

bool RunFileDialog(const FileDialogRequest& request, wxString& chosen)
{
    return FileDialogSlot()(request, chosen);
}

FileDialogFunction SetFileDialogFunction(FileDialogFunction function)
{
    return Replace(FileDialogSlot(), std::move(function), FileDialogFunction(RealFileDialog));
}

bool RunFolderDialog(const FolderDialogRequest& request, wxString& chosen)
{
    return FolderDialogSlot()(request, chosen);
}

FolderDialogFunction SetFolderDialogFunction(FolderDialogFunction function)
{
    return Replace(FolderDialogSlot(), std::move(function), FolderDialogFunction(RealFolderDialog));
}

void ShowErrorReportDialog(wxWindow* parent, const wxString& message, const wxString& reportFile,
                           const wxString& reportType)
{
    ErrorReportSlot()(parent, message, reportFile, reportType);
}

ErrorReportFunction SetErrorReportFunction(ErrorReportFunction function)
{
    return Replace(ErrorReportSlot(), std::move(function), ErrorReportFunction(LoggedErrorReport));
}
