// The main window's menu bar, the rules that enable, check and relabel its
// items, the event table and the keyboard and mouse handlers.

#include <wx/menu.h>
#include <wx/utils.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/EditorTemplate.h"
#include "model/commands/ControlClipboard.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "model/commands/MetaCommand.h"
#include "model/commands/SubmitCommand.h"
#include "model/commands/WholeControlCommands.h"
#include "ui/MainFrame.h"
#include "ui/FrontPanelWindow.h"
#include "ui/MenuIds.h"
#include "ui/TemplateUI.h"

namespace
{
const char* const kRedoAccelerator = "Ctrl+Y";

const IDeviceAnswers& Answers()
{
    return wxGetApp().Device();
}

// A file or control name shown as a menu item: no mnemonics, no accelerator.
wxString MenuText(wxString text)
{
    text = Readable(text);
    text.Replace("&", "&&");
    text.Replace("\t", " ");
    return text;
}
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(CMainFrame, wxFrame)
    EVT_MENU(MenuId::Exit, CMainFrame::OnQuit)
    EVT_MENU(MenuId::Open, CMainFrame::OnOpen)
    EVT_MENU(MenuId::Import, CMainFrame::OnImport)
    EVT_MENU(MenuId::Save, CMainFrame::OnSave)
    EVT_MENU(MenuId::New, CMainFrame::OnNew)
    EVT_MENU(MenuId::NewFromSelection, CMainFrame::OnNewFromSelection)
    EVT_MENU(MenuId::ImportNamesFromPlugin, CMainFrame::OnImportNamesFromPlugin)
    EVT_MENU(MenuId::SaveAs, CMainFrame::OnSaveAs)
    EVT_MENU(MenuId::Preferences, CMainFrame::OnPreferences)
    EVT_MENU(MenuId::Close, CMainFrame::OnClose)
    EVT_MENU_RANGE(MenuId::RecentFile, MenuId::RecentFile + MenuId::kRecentFileCount - 1, CMainFrame::OnRecentFile)
    EVT_MENU(MenuId::Cut, CMainFrame::OnCut)
    EVT_MENU(MenuId::Copy, CMainFrame::OnCopy)
    EVT_MENU(MenuId::Paste, CMainFrame::OnPaste)
    EVT_MENU(MenuId::Delete, CMainFrame::OnDelete)
    EVT_MENU(MenuId::Undo, CMainFrame::OnUndo)
    EVT_MENU(MenuId::Redo, CMainFrame::OnRedo)
    EVT_MENU(MenuId::EditSelection, CMainFrame::OnEditSelection)
    EVT_MENU(MenuId::GetInfo, CMainFrame::OnGetInfo)
    EVT_MENU(MenuId::SelectAll, CMainFrame::OnSelectAll)
    EVT_MENU(MenuId::Listen, CMainFrame::OnListenMenu)
    EVT_MENU(MenuId::Upload, CMainFrame::OnSendMenu)
    EVT_MENU_RANGE(MenuId::SelectMidiDevices, MenuId::UpdateOS, CMainFrame::OnDeviceDialog)
    EVT_MENU_RANGE(MenuId::ViewHelp, MenuId::OnlineSupport, CMainFrame::OnHelp)
    EVT_MENU(MenuId::About, CMainFrame::OnAbout)
    EVT_MENU_RANGE(MenuId::TemplateSettings, MenuId::AudioFxSettings, CMainFrame::OnTemplateSettings)
    EVT_MENU(MenuId::EnableZones, CMainFrame::OnEnableZones)
    EVT_MENU_RANGE(MenuId::EditZone, MenuId::EditZone + MenuId::kZoneCount - 1, CMainFrame::OnTemplateSettings)
    EVT_MENU_RANGE(MenuId::OpenTemplate, MenuId::OpenTemplateLast, CMainFrame::OnSelectOpenTemplate)
    EVT_MENU_RANGE(MenuId::ImportedControl, MenuId::ImportedControlLast, CMainFrame::OnAssignImportedControl)
    EVT_MENU_RANGE(MenuId::ViewInfo, MenuId::ViewMidiChannel, CMainFrame::OnViewType)
    EVT_CLOSE(CMainFrame::OnCloseWindow)
wxEND_EVENT_TABLE()
// clang-format on

void CMainFrame::BindPanelEvents()
{
    m_panel->Bind(wxEVT_PAINT, &CMainFrame::OnPaint, this);
    m_panel->Bind(wxEVT_LEFT_DOWN, &CMainFrame::OnLeftDown, this);
    m_panel->Bind(wxEVT_LEFT_UP, &CMainFrame::OnLeftUp, this);
    m_panel->Bind(wxEVT_LEFT_DCLICK, &CMainFrame::OnLeftDClick, this);
    m_panel->Bind(wxEVT_RIGHT_DOWN, &CMainFrame::OnRightDown, this);
    m_panel->Bind(wxEVT_MOTION, &CMainFrame::OnMotion, this);
    m_panel->Bind(wxEVT_MOUSEWHEEL, &CMainFrame::OnMouseWheel, this);
    m_panel->Bind(wxEVT_CONTEXT_MENU, &CMainFrame::OnContextMenu, this);
    m_panel->Bind(wxEVT_KEY_DOWN, &CMainFrame::OnKeyDown, this);
    m_panel->Bind(wxEVT_KEY_UP, &CMainFrame::OnKeyUp, this);
}

void CMainFrame::BuildMenuBar()
{
    auto* file = new wxMenu;
    file->Append(MenuId::New, "&New\tCtrl+N", "Create a new empty template");
    file->Append(MenuId::Open, "&Open...\tCtrl+O", "Open file...");
    file->Append(MenuId::Close, "&Close", "Close current template");
    file->AppendSeparator();
    file->Append(MenuId::Save, "&Save\tCtrl+S", "Save file");
    file->Append(MenuId::SaveAs, "S&ave As...\tCtrl+Shift+S", "Save file as...");
    file->AppendSeparator();
    file->Append(MenuId::Import, "&Import Controls from Template...\tCtrl+I", "Import controls from another template");
    file->Append(MenuId::ImportNamesFromPlugin, "Import Names from &Plug-in...\tCtrl+Shift+I",
                 "Import parameter names from a plug-in");
    file->AppendSeparator();
    file->AppendSubMenu(new wxMenu, "Recent files...", wxEmptyString)->SetId(MenuId::RecentFilesMenu);
    file->AppendSeparator();
    file->Append(MenuId::Exit, "E&xit\t", "Quit this program");

    auto* edit = new wxMenu;
    edit->Append(MenuId::Undo, "&Undo\tCtrl+Z", "Undo");
    edit->Append(MenuId::Redo, wxString("&Redo\t") + kRedoAccelerator, "Redo");
    edit->AppendSeparator();
    edit->Append(MenuId::Cut, "Cu&t\tCtrl+X", "Cut");
    edit->Append(MenuId::Copy, "&Copy\tCtrl+C", "Copy");
    edit->Append(MenuId::Paste, "&Paste\tCtrl+V", "Paste");
    edit->Append(MenuId::Delete, "&Delete\tDel", "Delete");
    edit->AppendSeparator();
    edit->Append(MenuId::SelectAll, "Select &All\tCtrl+A", "Select All");
    edit->Append(MenuId::GetInfo, "&Get Info...\tCtrl+G", "Info on selected control(s)");
    edit->AppendSeparator();
    edit->Append(MenuId::Preferences, "&Preferences...\tCtrl+P", "Edit preferences");

    auto* view = new wxMenu;
    view->AppendCheckItem(MenuId::ViewInfo, "&Info", "Display type-specific info under each control");
    view->AppendCheckItem(MenuId::ViewName, "&Name", "Display name under each control");
    view->AppendCheckItem(MenuId::ViewMidiChannel, "&MIDI channel",
                          "Display MIDI channel / MMC device under each control");

    auto* device = new wxMenu;
    device->Append(MenuId::SelectMidiDevices, "&Select MIDI input/output device...",
                   "Choose input and output MIDI devices");
    device->AppendSeparator();
    device->AppendCheckItem(MenuId::Listen, "&Listen for template dump\tCtrl+L",
                            "Listen for a template dump from the hardware");
    device->Append(MenuId::Upload, "&Upload template\tCtrl+U", "Send a template dump to the hardware");
    device->AppendSeparator();
    if (Answers().HasBulkDumps())
        device->Append(MenuId::BulkDumps, "&Bulk dumps...\tCtrl+B", "Dump multiple templates");
    if (Answers().HasPatchLibrarian())
        device->Append(MenuId::PatchLibrarian, "&Patch Librarian...\t", "Manage patches and banks");
    if (Answers().HasOSUpdate())
    {
        device->AppendSeparator();
        device->Append(MenuId::UpdateOS, "Update &OS...", "Update the hardware operating system");
    }

    auto* help = new wxMenu;
    help->Append(MenuId::ViewHelp, "&View help...\t", "View documentation");
    help->Append(MenuId::VisitWebsite, "Visit the Brennix &website...\t", "Visit the Brennix website");
    help->Append(MenuId::OnlineSupport, "Online &support...\t", "Visit the online answerbase");
    help->AppendSeparator();
    help->Append(MenuId::About, "&About...\tF1", "Show about dialog");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    if (Answers().HasViewMenu())
        bar->Append(view, "&View");
    else
        delete view;
    bar->Append(device, "&Device");
    bar->Append(new wxMenu, "&Template");
    bar->Append(help, "&Help");
    SetMenuBar(bar);

    UpdateTemplateMenu();
    UpdateFileMenu();
}

wxMenu* CMainFrame::FindMenuByTitle(const wxString& title) const
{
    wxMenuBar* bar = GetMenuBar();
    const int index = bar ? bar->FindMenu(title) : wxNOT_FOUND;
    return index == wxNOT_FOUND ? nullptr : bar->GetMenu(index);
}

void CMainFrame::EnableItem(int id, bool enable)
{
    if (wxMenuItem* item = GetMenuBar() ? GetMenuBar()->FindItem(id) : nullptr)
        item->Enable(enable);
}

void CMainFrame::UpdateTitle()
{
    wxString title = ToWx(Answers().GetAppTitle()) + " - ";
    if (!m_currentTemplate)
        title += "No Template Loaded";
    else
    {
        title += ToWx(m_currentTemplate->GetDefaultFileName());
        if (m_currentTemplate->IsModified())
            title += "*";
    }
    SetTitle(Readable(title));
}

void CMainFrame::UpdateEditMenuFromHistory()
{
    if (m_currentTemplate)
        UpdateEditMenu(m_currentTemplate->CanUndo(), m_currentTemplate->CanRedo());
    else
        UpdateEditMenu(false, false);
}

void CMainFrame::UpdateEditMenu(bool canUndo, bool canRedo)
{
    wxMenuBar* bar = GetMenuBar();
    if (!bar)
        return;
    wxString undo = "Can't undo\tCtrl+Z";
    if (m_currentTemplate && canUndo)
        undo = "&Undo " + ToWx(m_currentTemplate->GetUndoText()) + "\tCtrl+Z";
    EnableItem(MenuId::Undo, canUndo);
    bar->SetLabel(MenuId::Undo, undo);

    wxString redo = wxString("Can't redo\t") + kRedoAccelerator;
    if (m_currentTemplate && canRedo)
        redo = "&Redo " + ToWx(m_currentTemplate->GetRedoText()) + "\t" + kRedoAccelerator;
    EnableItem(MenuId::Redo, canRedo);
    bar->SetLabel(MenuId::Redo, redo);

    const bool active = m_currentTemplate && !IsControlSettingsShown();
    const Selection& selection = GetSelection();
    const bool any = !selection.Empty();
    EnableItem(MenuId::Cut, active && any && !selection.AnyProtected());
    EnableItem(MenuId::Delete, active && any && !selection.AnyProtected());
    EnableItem(MenuId::Copy, active && any);
    EnableItem(MenuId::GetInfo, active && any);
    EnableItem(MenuId::Paste, active && ControlClipboard::Global().CanPaste(selection));
    EnableItem(MenuId::SelectAll, active);
}

void CMainFrame::UpdateFileMenu()
{
    const bool current = m_currentTemplate != nullptr;
    for (int id : {MenuId::Save, MenuId::SaveAs, MenuId::Close, MenuId::Import})
        EnableItem(id, current);

    wxMenuItem* recentItem = GetMenuBar() ? GetMenuBar()->FindItem(MenuId::RecentFilesMenu) : nullptr;
    wxMenu* recent = recentItem ? recentItem->GetSubMenu() : nullptr;
    if (!recent)
        return;
    while (recent->GetMenuItemCount() > 0)
        recent->Destroy(recent->FindItemByPosition(0));
    const RecentFiles& files = wxGetApp().Recent();
    recentItem->Enable(files.Count() > 0);
    for (int i = 0; i < files.Count(); ++i)
        recent->Append(MenuId::RecentFile + i, MenuText(ToWx(files.Get(i))), wxEmptyString);
}

void CMainFrame::UpdateDeviceMenu()
{
    const bool output = MIDIIO::GetSelectedOutputDevice() >= 0;
    EnableItem(MenuId::Upload, m_currentTemplate && output);
    EnableItem(MenuId::Listen, MIDIIO::GetSelectedInputDevice() >= 0);
    EnableItem(MenuId::SelectMidiDevices, MIDIIO::GetDeviceCount() > 0);
    if (Answers().HasOSUpdate())
        EnableItem(MenuId::UpdateOS, output);
}

void CMainFrame::UpdateListenItem(bool checked)
{
    if (wxMenuItem* item = GetMenuBar() ? GetMenuBar()->FindItem(MenuId::Listen) : nullptr)
        item->Check(checked);
}

void CMainFrame::UpdateViewMenu()
{
    if (!Answers().HasViewMenu() || !GetMenuBar())
        return;
    const int viewType = wxGetApp().GetViewType();
    for (int i = 0; i < 3; ++i)
        if (wxMenuItem* item = GetMenuBar()->FindItem(MenuId::ViewInfo + i))
            item->Check(viewType == i);
}

void CMainFrame::UpdateTemplateMenu()
{
    wxMenu* menu = FindMenuByTitle("Template");
    if (!menu)
        return;
    const IDeviceAnswers& device = Answers();
    if (!menu->FindItem(MenuId::TemplateSettings))
        menu->Append(MenuId::TemplateSettings, "Edit Se&ttings...\tCtrl+T", "Edit the settings of the current template");
    if (device.HasPortGroups() && !menu->FindItem(MenuId::MidiGroups))
        menu->Append(MenuId::MidiGroups, "MIDI &Groups...\tCtrl+G",
                     "Edit the Keyboard and Common MIDI port & channel groups");
    if (device.HasAudioFxSettings() && !menu->FindItem(MenuId::AudioFxSettings))
        menu->Append(MenuId::AudioFxSettings, "Audio + &FX Settings...\tCtrl+F", "Edit the audio & FX settings");
    if (device.HasKeyboardZones())
    {
        if (!menu->FindItem(MenuId::EnableZones))
        {
            menu->AppendSeparator();
            menu->AppendCheckItem(MenuId::EnableZones, "Enable Keyboard &Zones", "Use zones");
        }
        if (!menu->FindItem(MenuId::EditZoneMenu))
        {
            auto* zones = new wxMenu;
            for (int i = 0; i < MenuId::kZoneCount; ++i)
                zones->Append(MenuId::EditZone + i, wxString::Format("&%d...", i + 1), wxEmptyString);
            menu->AppendSubMenu(zones, "Edit Keyboard Zone", wxEmptyString)->SetId(MenuId::EditZoneMenu);
        }
        const bool zonesOn = m_currentTemplate && m_currentTemplate->GetZonesEnabled();
        for (int i = 0; i < MenuId::kZoneCount; ++i)
            menu->Enable(MenuId::EditZone + i, zonesOn);
        menu->Enable(MenuId::EnableZones, m_currentTemplate != nullptr);
        menu->Check(MenuId::EnableZones, zonesOn);
    }
    if (!menu->FindItem(MenuId::OpenTemplate))
    {
        menu->AppendSeparator();
        menu->AppendRadioItem(MenuId::OpenTemplate, "No templates loaded", wxEmptyString);
    }

    // Menu ids reach 65 templates; the others stay reachable by Ctrl+Tab.
    const int count = std::min(GetTemplateCount(), MenuId::OpenTemplateLast - MenuId::OpenTemplate + 1);
    for (int i = 0; i < count; ++i)
    {
        const CEditorTemplate& editorTemplate = *m_templates[i];
        const wxString path = ToWx(editorTemplate.GetDefaultFileName());
        wxString label = path.AfterLast('\\');
        if (label.empty() || label == path)
            label = path.AfterLast('/');
        if (editorTemplate.IsModified())
            label += "*";
        label = MenuText(label);
        const int id = MenuId::OpenTemplate + i;
        if (menu->FindItem(id))
            menu->SetLabel(id, label);
        else
            menu->AppendRadioItem(id, label, wxEmptyString);
        menu->Enable(id, true);
        if (i == m_currentIndex)
            menu->Check(id, true);
    }
    if (count == 0)
        menu->SetLabel(MenuId::OpenTemplate, "No templates loaded");
    // "No templates loaded" keeps the first place when the list is empty.
    for (int i = std::max(count, 1); i < m_listedCount; ++i)
        if (menu->FindItem(MenuId::OpenTemplate + i))
            menu->Destroy(MenuId::OpenTemplate + i);
    m_listedCount = count;

    menu->Enable(MenuId::TemplateSettings, m_currentTemplate != nullptr);
    if (menu->FindItem(MenuId::MidiGroups))
        menu->Enable(MenuId::MidiGroups, m_currentTemplate != nullptr);
    if (count == 0)
        menu->Enable(MenuId::OpenTemplate, false);
}

// ---------------------------------------------------------------------------
// Edit, View, Template and Help commands

void CMainFrame::OnQuit(wxCommandEvent&)
{
    Close();
}

void CMainFrame::OnClose(wxCommandEvent&)
{
    CloseTemplate();
}

void CMainFrame::OnUndo(wxCommandEvent&)
{
    UndoOrRedo(false);
}

void CMainFrame::OnRedo(wxCommandEvent&)
{
    UndoOrRedo(true);
}

void CMainFrame::UndoOrRedo(bool redo)
{
    if (!m_currentTemplate)
        return;
    GetSelection().Clear();
    m_undoing = true;
    redo ? m_currentTemplate->Redo() : m_currentTemplate->Undo();
    m_undoing = false;
}

void CMainFrame::OnCut(wxCommandEvent&)
{
    SubmitToCurrentTemplate(ControlEdit::Cut(GetSelection()));
    HideControlSettings();
}

void CMainFrame::OnCopy(wxCommandEvent&)
{
    ControlClipboard::Global().Copy(GetSelection());
    UpdateEditMenuFromHistory();
}

void CMainFrame::OnPaste(wxCommandEvent&)
{
    SubmitToCurrentTemplate(ControlClipboard::Global().Paste(GetSelection()));
    HideControlSettings();
    m_panel->SetToolTip(wxEmptyString);
}

void CMainFrame::OnDelete(wxCommandEvent&)
{
    SubmitToCurrentTemplate(ControlEdit::Delete(GetSelection()));
    HideControlSettings();
}

void CMainFrame::OnEditSelection(wxCommandEvent&)
{
    GetSelection().EditSingle();
}

void CMainFrame::OnGetInfo(wxCommandEvent&)
{
    if (m_view)
        m_view->ShowSelectionInfo();
}

void CMainFrame::OnSelectAll(wxCommandEvent&)
{
    if (m_view)
        m_view->SelectAll();
    UpdateEditMenuFromHistory();
    MarkNeedsRefresh();
}

void CMainFrame::OnNewFromSelection(wxCommandEvent&)
{
    std::unique_ptr<CEditorTemplate> created = Answers().CreateTemplate();
    created->MarkSaved(false);
    created->SetPathValid(false);
    ControlClipboard& clipboard = ControlClipboard::Global();
    clipboard.Copy(GetSelection());
    // Executed once, outside any history: the new template starts from it.
    const Selection targets = GetSelection().Clone(*created);
    if (std::unique_ptr<CMetaCommand> paste = clipboard.Paste(targets))
        paste->Execute();
    AddTemplate(std::move(created));
}

void CMainFrame::OnViewType(wxCommandEvent& event)
{
    wxGetApp().Prefs().viewType = event.GetId() - MenuId::ViewInfo;
    UpdateViewMenu();
    MarkNeedsRefresh();
}

void CMainFrame::OnEnableZones(wxCommandEvent& event)
{
    HideControlSettings();
    if (wxMenuItem* item = GetMenuBar()->FindItem(MenuId::EnableZones))
        item->Check(event.IsChecked());
    if (m_view)
        m_view->SetZonesEnabled(event.IsChecked());
}

void CMainFrame::OnSelectOpenTemplate(wxCommandEvent& event)
{
    const int index = event.GetId() - MenuId::OpenTemplate;
    if (index < 0 || index >= GetTemplateCount())
        return;
    m_currentIndex = index;
    m_currentTemplate = m_templates[index].get();
    MoveCurrentTemplateToFront();
}

// ---------------------------------------------------------------------------
// Mouse and keys

void CMainFrame::OnLeftDown(wxMouseEvent& event)
{
    m_releaseDeliveredByIdle = false;
    if (!m_currentTemplate)
        return;
    if (ViewMouseButton(event.GetPosition(), event.ControlDown(), false, true, false, false))
        MarkNeedsRefresh();
    UpdateFileMenu();
    UpdateEditMenuFromHistory();
}

void CMainFrame::OnLeftUp(wxMouseEvent& event)
{
    // A release is delivered once: here or by the idle step, whichever sees it first.
    m_leftButtonHeld = false;
    if (m_releaseDeliveredByIdle)
    {
        m_releaseDeliveredByIdle = false;
        return;
    }
    if (!m_currentTemplate)
        return;
    if (ViewMouseButton(event.GetPosition(), event.ControlDown(), false, true, true, false))
    {
        MarkNeedsRefresh();
        UpdateEditMenuFromHistory();
    }
}

void CMainFrame::OnLeftDClick(wxMouseEvent& event)
{
    if (!m_currentTemplate)
        return;
    if (ViewMouseButton(event.GetPosition(), event.ControlDown(), true, true, true, false))
        MarkNeedsRefresh();
    // Ctrl makes it no edit request.
    if (!event.ControlDown())
        GiveControlSettingsTheKeys();
}

void CMainFrame::OnMotion(wxMouseEvent& event)
{
    if (!m_currentTemplate)
        return;
    if (ViewMouseMove(event.GetPosition()))
    {
        MarkNeedsRefresh();
        UpdateEditMenuFromHistory();
    }
}

void CMainFrame::OnRightDown(wxMouseEvent& event)
{
    if (!m_currentTemplate)
        return;
    if (GetSelection().Size() < 2)
    {
        if (event.GetPosition() == wxPoint(-1, -1))
            return;
        ViewMouseButton(event.GetPosition(), event.ControlDown(), false, true, false, true);
        m_panel->Refresh();
    }
    // The context-menu event follows.
    event.Skip();
}

void CMainFrame::OnMouseWheel(wxMouseEvent& event)
{
    if (!m_currentTemplate)
        return;
    if (m_view && m_view->OnMouseWheel(event.GetWheelRotation()))
        MarkNeedsRefresh();
    OnMotion(event);
}

std::unique_ptr<wxMenu> CMainFrame::BuildContextMenu()
{
    const Selection& selection = GetSelection();
    if (!m_currentTemplate || selection.Empty())
        return nullptr;
    auto menu = std::make_unique<wxMenu>();
    menu->Append(MenuId::Cut, "Cu&t");
    menu->Append(MenuId::Copy, "&Copy");
    menu->Append(MenuId::Paste, "&Paste");
    menu->Append(MenuId::Delete, "&Delete");
    menu->AppendSeparator();
    if (selection.Size() == 1)
        menu->Append(MenuId::EditSelection, "&Edit selection...");
    menu->Append(MenuId::GetInfo, "&Get Info...");
    menu->Enable(MenuId::Paste, ControlClipboard::Global().CanPaste(selection));

    const std::vector<CBaseControlState>& imported = m_currentTemplate->GetImportedControls();
    if (imported.empty() || selection.Size() != 1)
        return menu;
    menu->AppendSeparator();
    auto* submenu = new wxMenu;
    const int count = std::min<int>(static_cast<int>(imported.size()),
                                    MenuId::ImportedControlLast - MenuId::ImportedControl + 1);
    for (int i = 0; i < count; ++i)
    {
        const CBaseControlState& control = imported[i];
        const int type = control.GetType();
        wxString text = MenuText(ToWx(type == ControlMessageType::MMC
                                          ? CBaseControlState::MMCCommandName(control.GetMMCControlType())
                                          : control.GetDisplayName()));
        // GTK would read a tab-separated type name as an accelerator and drop it.
        text += "    " + ToWx(CBaseControlState::MessageTypeName(type));
        if (i > 0 && i % 49 == 0)
            submenu->Break();
        const int id = MenuId::ImportedControl + i;
        submenu->AppendCheckItem(id, text);
        submenu->Check(id, m_currentTemplate->ContainsControl(control));
        submenu->Enable(id, Answers().CanAssignMessageType(selection.Front(), control));
    }
    menu->AppendSubMenu(submenu, "Imported Controls")->SetId(MenuId::ImportedControlsMenu);
    return menu;
}

void CMainFrame::OnContextMenu(wxContextMenuEvent&)
{
    if (!m_currentTemplate)
        return;
    HideControlSettings();
    if (std::unique_ptr<wxMenu> menu = BuildContextMenu())
        m_panel->PopupMenu(menu.get(), m_panel->ScreenToClient(wxGetMousePosition()));
}

void CMainFrame::OnAssignImportedControl(wxCommandEvent& event)
{
    const Selection& selection = GetSelection();
    const int index = event.GetId() - MenuId::ImportedControl;
    if (!m_currentTemplate || selection.Empty() || index < 0 ||
        index >= static_cast<int>(m_currentTemplate->GetImportedControls().size()))
        return;
    // A copy: the paste must not read from the list it may change.
    const CBaseControlState source = m_currentTemplate->GetImportedControls()[index];
    auto assign = std::make_unique<CMetaCommand>("Assign Imported Control");
    assign->Add(std::make_unique<CPasteCommand>(selection.Front(), source));
    SubmitToCurrentTemplate(std::move(assign));
    MarkNeedsRefresh();
}

void CMainFrame::OnKeyDown(wxKeyEvent& event)
{
    if (!m_currentTemplate)
    {
        event.Skip();
        return;
    }
    if (event.GetKeyCode() == WXK_TAB && event.ControlDown())
    {
        // The list keeps its order while cycling; the key-up of Ctrl moves
        // the template reached to the front.
        if (GetTemplateCount() < 2)
            return;
        m_switching = true;
        SelectTemplate((m_currentIndex + 1) % GetTemplateCount());
        return;
    }
    const int key = event.GetKeyCode();
    const bool edit = key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_SPACE;
    if (IsControlSettingsShown() && m_view && edit && !event.HasAnyModifiers())
    {
        // The window shows the control already: the user wants to type there.
        m_view->EditSelection();
        GiveControlSettingsTheKeys();
        return;
    }
    if (IsControlSettingsShown() || !m_view)
    {
        event.Skip();
        return;
    }
    bool repaint = false;
    switch (event.GetKeyCode())
    {
    case WXK_TAB:
        repaint = m_view->SelectNextControl(!event.ShiftDown());
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_SPACE:
        repaint = m_view->EditSelection();
        break;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        repaint = m_view->NavigateSelection(2);
        break;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        repaint = m_view->NavigateSelection(0);
        break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        repaint = m_view->NavigateSelection(3);
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        repaint = m_view->NavigateSelection(1);
        break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        if (m_view->OnPageUp())
            MarkNeedsRefresh();
        break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        if (m_view->OnPageDown())
            MarkNeedsRefresh();
        break;
    default:
        event.Skip();
        break;
    }
    if (repaint)
    {
        MarkNeedsRefresh();
        // Cut, copy and delete follow the selection.
        UpdateEditMenuFromHistory();
    }
}

void CMainFrame::OnKeyUp(wxKeyEvent& event)
{
    if (m_switching && event.GetKeyCode() == WXK_CONTROL)
    {
        m_switching = false;
        MoveCurrentTemplateToFront();
        return;
    }
    event.Skip();
}
