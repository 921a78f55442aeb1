// The main window's template file commands (new, open, import, save, close)
// and device commands (listen, send, the device dialogs).

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/DeviceReply.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/SysExFile.h"
#include "model/TemplateLoader.h"
#include "model/TemplateLocals.h"
#include "model/TemplateModel.h"
#include "plugins/dialogs/TemplateFromPlugin.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"

#include <filesystem>
#include <system_error>

#include <wx/menu.h>

namespace
{
const char* const kTemplateWildcard = "SysEx Dump (*.syx)|*.syx";

const IDeviceAnswers& Answers()
{
    return wxGetApp().Device();
}

} // namespace

// ---------------------------------------------------------------------------
// Template files

void CMainFrame::NewTemplate()
{
    AddTemplate(Answers().CreateTemplate());
    UpdateTitle();
    UpdateFileMenu();
    UpdateEditMenu(false, false);
    wxCommandEvent settings(wxEVT_MENU, MenuId::TemplateSettings);
    OnTemplateSettings(settings);
}

void CMainFrame::OpenTemplate()
{
    ChooseAndOpenTemplate(true);
}

void CMainFrame::ImportTemplate()
{
    ChooseAndOpenTemplate(false);
}

void CMainFrame::ChooseAndOpenTemplate(bool openMode)
{
    wxString path;
    if (wxGetApp().ChooseOpenFile(path, kTemplateWildcard))
        OpenTemplateFile(path, openMode);
    else
        SetStatus(openMode ? "Open cancelled" : "Import cancelled");
    UpdateTitle();
}

void CMainFrame::OpenTemplateFile(const wxString& path, bool openMode)
{
    const std::string file = FromWx(path);
    // Anything there but a file (a folder, a FIFO, a device) is not missing:
    // the reader refuses it below with the system's reason.
    if (std::error_code error; !std::filesystem::exists(file, error))
    {
        ShowMessage("Cannot find file: " + path + "\n\nIt may have been moved or deleted.", wxOK);
        if (wxGetApp().Recent().Remove(file))
            UpdateFileMenu();
        return;
    }
    // Importing needs a template to import into.
    if (!openMode && !m_currentTemplate)
        return;

    int reverted = -1;
    for (int i = 0; i < GetTemplateCount(); ++i)
    {
        if (m_templates[i]->GetDefaultFileName() != file)
            continue;
        SelectTemplate(i);
        if (!m_currentTemplate->IsModified())
            return;
        // Reverting throws the edits and their history away: Enter keeps them.
        if (ShowMessage("This template is already loaded.  Do you want to revert to the version on disk?",
                        wxYES_NO | wxNO_DEFAULT) != wxYES)
            return;
        reverted = i;
        break;
    }

    // The file is read into a fresh template even when reverting: a file that
    // does not load leaves the open template as it was, rather than half
    // overwritten and marked saved.
    std::unique_ptr<CEditorTemplate> loaded = Answers().CreateTemplate();
    loaded->MarkSaved(true);
    loaded->SetPathValid(true);
    loaded->SetFilePath(file);

    SysExBuffer dump;
    bool converted = false;
    std::string reason;
    if (!ReadSysExFromFile(file, dump, reason) || !LoadTemplateFromSysEx(converted, dump, *loaded))
    {
        const wxString failure =
            reason.empty()
                ? wxString::Format("Unable to open template: %s - the file is not a valid template file", path)
                : wxString::Format("Unable to open template: %s - the file cannot be read: %s", path, ToWx(reason));
        ShowMessage(failure, wxOK);
        SetStatus(failure);
        return;
    }
    if (openMode && converted)
    {
        ShowMessage("This template has been imported from a template originally for the " +
                        ToWx(GetTemplateModelName(dump)) + ".\n\nIf you save this template, it will be saved as a " +
                        ToWx(Answers().GetProductName()) +
                        " template, which may result in loss of data.  To avoid this, choose \"Save As...\" from "
                        "the File menu.\n\nYou can find all of the controls from the original template by "
                        "right-clicking on a control and choosing \"Imported Controls\".",
                    wxOK);
        loaded->MarkSaved(false);
    }
    const wxString status = wxString::Format("Opened template: %s", path);

    if (reverted >= 0)
    {
        // The reverted template's history goes with it, once the view has
        // been rebuilt on the file's content.
        const std::unique_ptr<CEditorTemplate> replaced = std::move(m_templates[reverted]);
        m_templates[reverted] = std::move(loaded);
        SelectTemplate(reverted);
    }
    if (openMode)
    {
        wxGetApp().Recent().Add(file);
        if (reverted < 0)
        {
            if (loaded->GetLocals().Pathlore_Template &&
                ShowMessage("This template is an Pathlore standard template.\nEditing it may cause unexpected "
                            "behaviour if you load it back onto your unit.\n\nDo you still want to edit this "
                            "template?",
                            wxYES_NO) != wxYES)
                return;
            AddTemplate(std::move(loaded));
        }
        m_currentTemplate->ClearUndoHistory();
        m_currentTemplate->SetFilePath(file);
    }
    else if (reverted < 0)
    {
        // A file of this model brings its controls; another model's, every
        // control its conversion kept.
        if (!converted)
            m_currentTemplate->CollectCompatibleControls(*loaded);
        m_currentTemplate->CopyImportedControls(*loaded);
    }

    UpdateEditMenu(false, false);
    UpdateTitle();
    UpdateFileMenu();
    UpdateTemplateMenu();
    MarkNeedsRefresh();
    SetStatus(status);
}

void CMainFrame::SaveTemplate()
{
    if (!m_currentTemplate)
        return;
    wxString path = ToWx(m_currentTemplate->GetDefaultFileName());
    if (!m_currentTemplate->IsPathValid() && !wxGetApp().ChooseSaveFile(path, kTemplateWildcard))
    {
        SetStatus("Save canceled");
        return;
    }
    SaveTemplateTo(path);
}

void CMainFrame::SaveTemplateAs()
{
    if (!m_currentTemplate)
        return;
    wxString path = ToWx(m_currentTemplate->GetDefaultFileName());
    if (wxGetApp().ChooseSaveFile(path, kTemplateWildcard))
        SaveTemplateTo(path);
}

void CMainFrame::SaveTemplateTo(const wxString& path)
{
    CEditorTemplate& editorTemplate = *m_currentTemplate;
    const std::string file = FromWx(path);
    wxString status;
    if (std::string reason; !WriteSysExToFile(file, editorTemplate.Write(), false, reason))
    {
        // The template keeps its own file, title and modified state: only a
        // written file becomes its file.
        status = "Unable to save template to: " + path + Because(reason) + "\n\nEnsure the file is not read-only.";
        ShowMessage(status, wxOK);
    }
    else
    {
        status = wxString::Format("Saved template to: %s", path);
        editorTemplate.MarkSaved(true);
        editorTemplate.SetPathValid(true);
        editorTemplate.SetFilePath(file);
        wxGetApp().Recent().Add(file);
    }
    SetStatus(status);
    UpdateFileMenu();
    UpdateTemplateMenu();
    UpdateTitle();
}

void CMainFrame::OnNew(wxCommandEvent&)
{
    NewTemplate();
}

void CMainFrame::OnOpen(wxCommandEvent&)
{
    OpenTemplate();
}

void CMainFrame::OnImport(wxCommandEvent&)
{
    ImportTemplate();
}

void CMainFrame::OnSave(wxCommandEvent&)
{
    SaveTemplate();
}

void CMainFrame::OnSaveAs(wxCommandEvent&)
{
    SaveTemplateAs();
}

void CMainFrame::OnRecentFile(wxCommandEvent& event)
{
    // The stored path: the item's label is escaped for the menu.
    const RecentFiles& files = wxGetApp().Recent();
    const int index = event.GetId() - MenuId::RecentFile;
    if (index >= 0 && index < files.Count())
        OpenTemplateFile(ToWx(files.Get(index)), true);
}

void CMainFrame::OnImportNamesFromPlugin(wxCommandEvent&)
{
    HideControlSettings();
    if (std::unique_ptr<CEditorTemplate> created = CreateTemplateFromPlugin(this))
    {
        AddTemplate(std::move(created));
        UpdateTitle();
    }
}

// ---------------------------------------------------------------------------
// Device commands

void CMainFrame::OnListenForTemplate()
{
    if (MIDIIO::IsReceiving())
    {
        StopListening(true);
        return;
    }
    if (!MIDIIO::BeginReceive(this, this))
    {
        SetStatus("Invalid input device");
        wxGetApp().ReportInputDeviceLost();
    }
    else
    {
        SetStatus(wxString::Format("Listening for template dump from device: %s",
                                   ToWx(MIDIIO::GetDeviceName(MIDIIO::GetSelectedInputDevice()))));
        UpdateListenItem(true);
        ViewSetListening();
    }
    UpdateListenItem(MIDIIO::IsReceiving());
}

void CMainFrame::ResumeListening()
{
    if (!MIDIIO::IsReceiving())
        OnListenForTemplate();
}

void CMainFrame::StopListening(bool announce)
{
    MIDIIO::AbortTransfer();
    if (announce)
        SetStatus("Stopped listening for template dumps");
    UpdateListenItem(false);
    ViewSetIdle();
    MarkNeedsRefresh();
}

void CMainFrame::OnSendTemplate()
{
    if (!m_currentTemplate)
        return;
    StopListening(false);
    SetStatus(wxString::Format("Sending template to device: %s",
                               ToWx(MIDIIO::GetDeviceName(MIDIIO::GetSelectedOutputDevice()))));
    ViewSetSending();
    m_currentTemplate->SetBulkFlag(false);
    if (!MIDIIO::BeginSend(m_currentTemplate->Write(), this))
    {
        // No transfer outcome will reset the button.
        ViewResetSendButton();
        MarkNeedsRefresh();
        SetStatus("Invalid output device");
        wxGetApp().ReportOutputDeviceLost();
    }
}

bool CMainFrame::OnSysExReceived(const SysExBuffer& bytes)
{
    std::unique_ptr<CEditorTemplate> target = Answers().CreateTemplate();
    target->MarkSaved(false);
    target->SetPathValid(false);
    bool converted = false;
    const bool ok = LoadTemplateFromSysEx(converted, bytes, *target);
    if (!ok)
    {
        ShowMessage("The dump received was not a valid template.\n\nEither the dump came from another device, was "
                    "corrupted, or you started listening in the middle of the dump.",
                    wxOK);
    }
    else
    {
        if (!converted)
            WarnIfOldOS(*target);
        if (converted)
        {
            const wxString model = ToWx(GetTemplateModelName(bytes));
            ShowMessage("This template has been recieved from a " + model + ".\n\nIt has been converted to a " +
                            ToWx(Answers().GetProductName()) + " template, which will not load back onto the " +
                            model +
                            ".\n\nYou can find all of the controls from the original template by right-clicking "
                            "on a control and choosing \"Imported Controls\".",
                        wxOK);
        }
        AddTemplate(std::move(target));
        UpdateEditMenu(false, false);
        UpdateTitle();
        UpdateFileMenu();
        UpdateTemplateMenu();
        MarkNeedsRefresh();
    }
    // One listen receives one template.
    StopListening(false);
    return ok;
}

void CMainFrame::OnListenMenu(wxCommandEvent&)
{
    OnListenForTemplate();
}

void CMainFrame::OnSendMenu(wxCommandEvent&)
{
    OnSendTemplate();
}
