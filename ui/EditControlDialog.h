#pragma once

#include <memory>

#include <wx/containr.h>
#include <wx/frame.h>

class CPlacedControl;

// The one floating " Control settings" window: the property panels of the
// control being edited, in a vertical box sizer. Modeless, a child frame of
// the main window; closing it only hides it. Hiding it lets go of the
// control and empties the main window's observers, so no panel hears of a
// state after it is gone. GUI thread only.
class CEditControlDialog : public wxNavigationEnabled<wxFrame>
{
public:
    CEditControlDialog();
    explicit CEditControlDialog(wxWindow* parent);

    // Null lets go of the control and clears the main window's value
    // observer and observer list. The window keeps its own clone: the
    // caller's placed control is often a temporary.
    void SetControl(const CPlacedControl* control);
    CPlacedControl* GetControl() const { return m_control.get(); }
    int GetControlIndex() const { return m_controlIndex; }

    bool Show(bool show = true) override;

    // The name of the field that has the keys when this window has them
    // (kept while another window has them); empty when none has.
    wxString FocusedFieldName() const;
    // Raises the window and gives the keyboard focus to the field of that
    // name when it can take it (the same field after a rebuild), else to
    // the first field that can.
    void TakeKeys(const wxString& fieldName = wxString());

private:
    void OnCloseWindow(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnShow(wxShowEvent& event);
    void OnContextMenu(wxContextMenuEvent&) {}
    void OnChar(wxKeyEvent& event) { event.Skip(); }

    std::unique_ptr<CPlacedControl> m_control;
    int m_controlIndex = -1;
    bool m_placed = false;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CEditControlDialog);
    wxDECLARE_EVENT_TABLE();
};
