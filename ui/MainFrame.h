#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/stopwatch.h>

#include "app/WxText.h"
#include "app/MainWindow.h"
#include "midi/MidiListeners.h"
#include "model/EditorHost.h"
#include "model/Selection.h"
#include "ui/PointerWatch.h"

class CEditControlDialog;
class CEditorTemplate;
class CFrontPanelWindow;
class CPanelAtkBridge;
class CTemplateUIAccessible;
class CPlacedControl;
class CTemplateUI;
class wxMenu;
class wxMenuBar;

// The program's only top-level window. Owns the open templates, most
// recently chosen first, and knows the current one; paints the front-panel
// view through a back buffer; carries the menus and the five-field status
// line (field 0 every status text, fields 1-4 the last short MIDI message);
// listens to its own transfers and to incoming short messages. It is the
// data layer's IEditorWindow and the application's IMainWindow while it
// exists. GUI thread only.
class CMainFrame : public wxFrame,
                   public IProgressListener,
                   public IMessageListener,
                   public ISysExListener,
                   public IEditorWindow,
                   public IMainWindow
{
public:
    CMainFrame(const wxString& title, const wxPoint& position, const wxSize& size);
    ~CMainFrame() override;

    // IMainWindow
    wxFrame* Frame() override { return this; }
    bool Init() override;
    IMessageListener* MessageListener() override { return this; }
    void OpenTemplateFile(const wxString& path, bool openMode) override;
    void NewTemplate() override;
    void OpenTemplate() override;
    void IdleStep() override;
    void RefreshIfNeeded() override;
    bool NeedsIdleStep() const override;
    void OnApplicationDeactivated() override;
    void ShowWelcome() override;

    // The open templates.
    CEditorTemplate* GetCurrentTemplate() override { return m_currentTemplate; }
    int GetCurrentIndex() const { return m_currentIndex; }
    int GetTemplateCount() const { return static_cast<int>(m_templates.size()); }
    CEditorTemplate* GetTemplate(int index) const { return m_templates.at(index).get(); }
    // Takes the template to the front of the list and makes it current.
    void AddTemplate(std::unique_ptr<CEditorTemplate> editorTemplate);
    // -1: no template is current.
    void SelectTemplate(int index);
    void ReselectCurrentTemplate() override;
    void MoveCurrentTemplateToFront();
    // Asks about unsaved changes first; a cancelled or failed save keeps it.
    void CloseTemplate();
    void DeleteAllTemplates();
    // An open template other than the current one came from this file.
    bool FindOpenTemplate(const std::string& path) const;
    bool IsTemplateFileOpen(const std::string& path) override { return FindOpenTemplate(path); }

    // Template file commands.
    void SaveTemplate();
    void SaveTemplateAs();
    // Writes the current template to path, which becomes its file only once written.
    void SaveTemplateTo(const wxString& path);
    void ImportTemplate();
    // Device commands, also run by the view's Listen and Send buttons.
    void OnListenForTemplate() override;
    void StopListening(bool announce) override;
    void OnSendTemplate() override;
    // Listening again after a dialog that used the input.
    void ResumeListening() override;
    bool ShowKeyboardZoneDialog(int zoneIndex, const std::string& title) override;

    // Repaint.
    void MarkNeedsRefresh() { m_needsRefresh = true; }
    // The template changed: a repaint, and the tip of the control under the pointer.
    void SetNeedsRefresh() override;
    bool NeedsRefresh() const { return m_needsRefresh; }
    // The keys go to the front panel again (after undo, redo, a dialog),
    // also from the settings window, which stays on show above.
    void SetFocusToMainWindow() override;

    // Observers of the control being edited.
    void AddObserver(IObserver* observer) override { m_observers.push_back(observer); }
    void ClearObservers() override { m_observers.clear(); }
    void SetValueObserver(IObserver* observer) override { m_valueObserver = observer; }
    IObserver* GetValueObserver() override { return m_valueObserver; }
    std::vector<IObserver*> GetObservers() override { return m_observers; }

    // The control settings window beside this one.
    void HideControlSettings() override;
    bool IsControlSettingsShown() override;
    // x, y in this window's client coordinates.
    bool ControlSettingsContains(int x, int y) override;
    void RefreshControl(CPlacedControl& control, bool deferred) override;
    void SelectControl(int index, bool select) override;
    CEditControlDialog* GetControlSettings() { return m_settings; }
    // The settings window, when it shows the one selected control, takes
    // the keys (the user asked to edit the control it shows).
    void GiveControlSettingsTheKeys();

    // Menus and title.
    void UpdateTitle() override;
    void UpdateEditMenu(bool canUndo, bool canRedo) override;
    void UpdateTemplateMenu() override;
    void UpdateFileMenu() override;
    void UpdateDeviceMenu();
    void UpdateViewMenu();
    void UpdateListenItem(bool checked);
    // UpdateEditMenu from the current template's history.
    void UpdateEditMenuFromHistory();

    void SetStatus(const wxString& text, int field = 0) { SetStatusText(Readable(text), field); }
    void ShowStatus(const std::string& text) override { SetStatus(ToWx(text)); }

    // IProgressListener
    void OnTransferStart() override;
    void OnTransferWaiting() override {}
    void OnTransferComplete() override;
    void OnTransferFailed() override;
    // IMessageListener
    void OnMidiMessage(uint8_t status, int data1, int data2) override;
    // ISysExListener
    bool OnSysExReceived(const SysExBuffer& bytes) override;
    void OnSysExInterrupted() override;

    // The pop-up edit menu for the selection (null when it is empty), with
    // the imported controls when exactly one control is selected.
    std::unique_ptr<wxMenu> BuildContextMenu();

    // The selection of the view; empty while no view exists.
    Selection& GetSelection();
    CTemplateUI* GetView() { return m_view.get(); }
    // The child that shows the panel and takes its pointer and keys.
    wxWindow* GetPanelWindow() const;
    // The window's accessible object: the view's panel; null without a view.
    CTemplateUIAccessible* GetAccessible() { return m_accessible.get(); }

private:
    void BuildMenuBar();
    void BindPanelEvents();
    // Before the current template changes or goes: the deferred control and
    // the settings window let go of it.
    void ReleaseTemplateViews();
    void ChooseAndOpenTemplate(bool openMode);
    void OnDeviceCommand(int id);
    // The help page and the maker's pages; each says so when no browser
    // could be started.
    void ShowHelpPage();
    void OpenInBrowser(const wxString& address);
    // The old-OS notice for a template received from the unit.
    void WarnIfOldOS(const CEditorTemplate& received);
    wxMenu* FindMenuByTitle(const wxString& title) const;
    void EnableItem(int id, bool enable);
    // The name a save question uses for a template.
    static wxString QuestionName(const CEditorTemplate& editorTemplate);
    bool AskToSaveAndKeepOpen(long buttons, bool& cancelled);
    int ShowMessage(const wxString& text, long style);
    // The window's icon, drawn with the other pictures.
    static wxIcon LoadWindowIcon();

    // The view's part (painting, pointer, animation, the Listen and Send buttons).
    void ViewCreateControls();
    void ViewDraw(wxDC& dc);
    bool ViewAnimate(int elapsedMs);
    bool ViewOnMidiMessage(int status, int data1, int data2);
    bool ViewMouseMove(const wxPoint& point);
    bool ViewMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool down, bool up, bool right);
    void ViewSetListening();
    void ViewSetIdle();
    void ViewSetSending();
    void ViewResetSendButton();
    wxSize ViewPanelSize() const;
    // The idle step's hover and release outside the client area.
    void TrackPointer();
    // Builds the settings window for the control and shows it; takeKeys: it
    // gets the keys, on the field of that name when it has one.
    void ShowControlSettings(CPlacedControl& control, bool takeKeys, const wxString& field);

    // Event handlers.
    void OnPaint(wxPaintEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnQuit(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnImport(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnNew(wxCommandEvent& event);
    void OnNewFromSelection(wxCommandEvent& event);
    void OnImportNamesFromPlugin(wxCommandEvent& event);
    void OnPreferences(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);
    void OnRecentFile(wxCommandEvent& event);
    void OnCut(wxCommandEvent& event);
    void OnCopy(wxCommandEvent& event);
    void OnPaste(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void UndoOrRedo(bool redo);
    void OnEditSelection(wxCommandEvent& event);
    void OnGetInfo(wxCommandEvent& event);
    void OnSelectAll(wxCommandEvent& event);
    void OnListenMenu(wxCommandEvent& event);
    void OnSendMenu(wxCommandEvent& event);
    void OnDeviceDialog(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnTemplateSettings(wxCommandEvent& event);
    void OnEnableZones(wxCommandEvent& event);
    void OnSelectOpenTemplate(wxCommandEvent& event);
    void OnViewType(wxCommandEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnAssignImportedControl(wxCommandEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);

    std::unique_ptr<CTemplateUI> m_view;
    // Child window, made by Init.
    CFrontPanelWindow* m_panel = nullptr;
    // Both point into the view, so they go before it.
    std::unique_ptr<CTemplateUIAccessible> m_accessible;
    std::unique_ptr<CPanelAtkBridge> m_atkBridge;
    IObserver* m_valueObserver = nullptr;
    std::vector<IObserver*> m_observers;
    wxMemoryDC m_memoryDC;
    int m_currentIndex = -1;
    std::vector<std::unique_ptr<CEditorTemplate>> m_templates;
    CEditorTemplate* m_currentTemplate = nullptr;
    bool m_switching = false;
    std::unique_ptr<CPlacedControl> m_deferredControl;
    // Whether the deferred control's settings window takes the keys, and on
    // which field: a new type keeps them where they were; an undo or redo
    // (SetFocusToMainWindow) leaves them here.
    bool m_deferredTakesKeys = false;
    wxString m_deferredField;
    // While an undo or redo runs: the settings window it shows leaves the keys here.
    bool m_undoing = false;
    // Child frame, destroyed with this window.
    CEditControlDialog* m_settings = nullptr;
    bool m_needsRefresh = true;
    bool m_leftButtonHeld = false;
    // The idle step ended the press that went down inside; its release event may still follow.
    bool m_releaseDeliveredByIdle = false;
    PointerWatch m_pointerWatch;
    // Radio items of the Template menu at the last update.
    int m_listedCount = 0;
    wxStopWatch m_clock;
    Selection m_noSelection;

    wxDECLARE_EVENT_TABLE();
};
