#pragma once

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>

#include "model/Selection.h"
#include "ui/ControlButton.h"
#include "ui/PanelPane.h"
#include "ui/ToggleButton.h"

class CEditorTemplate;
class KeyboardStrip;
class wxDC;

// The drawn front panel of the current template: the panel picture, one
// control button per assignable control, the selection and hover marks, the
// rubber band and the Listen, Send and keyboard-zones buttons. Not a window:
// the main window owns one, paints it through a double buffer and forwards
// the pointer, the keys, the idle tick and incoming short messages; every
// forwarding operation answers whether the panel must be repainted.
// Nothing is drawn until the first CreateControls. GUI thread only.
class CTemplateUI : public IExpandCallback
{
public:
    CTemplateUI();
    ~CTemplateUI() override;
    CTemplateUI(const CTemplateUI&) = delete;
    CTemplateUI& operator=(const CTemplateUI&) = delete;

    // Resize the main window to the panel and re-render every caption.
    void OnPaneExpanded() override;
    void OnPaneCollapsed() override;

    // Lays out the panel of a template (called again whenever another
    // template becomes current). The view does not own the template.
    virtual void CreateControls(CEditorTemplate* editorTemplate) = 0;
    // True (repaint) only for Note On and Note Off on channel 1 while zones
    // are available: the keyboard strip shows the note.
    virtual bool OnMidiMessage(int status, int data1, int data2);
    virtual void SetListening();
    virtual void SetIdle();
    // Listening stops as sending starts.
    virtual void SetSending();
    virtual bool OnMouseWheel(int steps);
    virtual bool OnPageUp();
    virtual bool OnPageDown();
    // The idle tick with the milliseconds since the last: collapses panes
    // unless expanding panes are on, and pulses the Listen and Send buttons.
    virtual bool Animate(int elapsedMs);
    // A Listen or Send button pulses: Animate has frames to show.
    bool IsAnimating() const;
    virtual void Draw(wxDC& dc);
    virtual void OnAudioFxSettings() {}
    virtual CEditorTemplate* GetTemplate() = 0;
    // Drawn over the panel picture, under everything else.
    virtual void DrawOverlay(wxDC& /*dc*/) {}
    // A press or release: the zones, Listen and Send buttons take it; a
    // complete click on Listen or Send runs the main window's command.
    virtual void OnButtonsMouseButton(const wxPoint& point, bool up);
    // Hover of the panel buttons; true when one changed.
    virtual bool UpdateButtonsHover(const wxPoint& point);

    // Pointer and keys, forwarded by the main window; each true answer means
    // a repaint. The double-click flag comes with a release.
    virtual bool OnMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool button, bool up,
                               bool right);
    virtual bool OnMouseMove(const wxPoint& point);
    // Tab and Shift+Tab: the next or previous index from the first selected
    // control, wrapping; the selection becomes that control alone.
    virtual bool SelectNextControl(bool forward);
    // Arrow keys from the last selected control: 0 up, 1 down, 2 left, 3 right.
    virtual bool NavigateSelection(int direction);
    // Enter and Space: the single selected control goes to the settings window.
    virtual bool EditSelection();

    // Adds the control with this index to the selection (raising the focus
    // event and naming it on the status line) or removes it; false when no
    // control button has the index. Never clears the selection.
    bool SelectControl(int index, bool select);
    void SelectAll();
    // The "Selection info" message box.
    void ShowSelectionInfo();
    // The labels of the selection: a count line when more than one, the first
    // ten, and after a gap the last when more than ten.
    std::string SelectionInfoText() const;
    CControlButton* FindControlButton(int index) const;
    wxPoint ControlCentre(int index) const;
    int FindNearestInDirection(int from, const wxPoint& centre, int direction, bool strict) const;
    static bool IsInDirection(const wxPoint& p, const wxPoint& centre, int direction, bool strict);
    // At the release of a drag: paste (copy or protected source), move onto
    // an unassigned control, or swap; one undo step.
    void ApplyDrop(bool copy);
    // The dragged control may land on the hovered one (both ways for a swap).
    bool DropAllowed() const;
    // After an edit (a drop, undo, redo): the tip describes what now stands
    // under the pointer, which may rest where it was.
    void RefreshHoverTip();
    bool IsDragging() const { return m_dragList != nullptr; }
    bool IsDropReady() const { return m_dropReady; }
    const wxRect& GetRubberBand() const { return m_rubberBand; }
    // The keyboard strip, built with the view on devices with zones from the
    // images folder's "Keyboard" picture; null when there is none. It is
    // bound to the template at every layout.
    KeyboardStrip* GetKeyboardStrip() { return m_keyboardStrip.get(); }
    // Where a view with zones puts them on its panel: the strip's top-left
    // corner, the top-left corner of the "ZONE n:" table, and the point of
    // "ON" beside the zones button. All (0, 0) until set.
    void SetZoneLayout(const wxPoint& stripOrigin, const wxPoint& zoneLabelOrigin, const wxPoint& zonesTextPoint);

    // Keyboard zones exist on the device and are shown (never on the DorvaSynth).
    bool ZonesAvailable() const;
    // Latches the zones button and submits the switch as one undo step.
    void SetZonesEnabled(bool on);
    // The keyboard zone dialog for zone 0-3 (the zone menu items).
    void EditKeyboardZone(int zone);
    // Clears a selection copy taken with new (deleting its placed controls)
    // and frees it.
    static void DeleteSelection(std::unique_ptr<Selection> list);
    void ResetSendButton();
    void SetSendButtonShown(bool shown) { m_sendButtonShown = shown; }
    bool IsSendButtonShown() const { return m_sendButtonShown; }

    // The first control button in list order that holds the point, or null.
    CControlButton* ControlButtonAt(const wxPoint& point) const;

    const std::vector<std::unique_ptr<CControlButton>>& GetControlButtons() const { return m_controlButtons; }
    // Expanding panes: every pane hook asks them first (the last added
    // first where the pointer is concerned). No panel of the program adds one.
    void AddPane(std::unique_ptr<PanelPane> pane) { m_panes.push_back(std::move(pane)); }
    const std::vector<std::unique_ptr<PanelPane>>& GetPanes() const { return m_panes; }
    Selection& GetSelection() { return m_selection; }
    Selection& GetHoverList() { return m_hoverList; }
    CAnimatedButton& GetListenButton() { return m_listenButton; }
    CAnimatedButton& GetSendButton() { return m_sendButton; }
    CToggleButton& GetZonesButton() { return m_zonesButton; }
    int GetPanelWidth() const { return m_panelWidth; }
    int GetPanelHeight() const { return m_panelHeight; }
    bool IsBuilt() const { return m_built; }
    int GetHoverIndex() const { return m_hoverIndex; }
    void SetHoverIndex(int index) { m_hoverIndex = index; }
    // The rubber band, drawn dotted while active.
    void SetRubberBand(bool active, const wxRect& band = wxRect());
    bool IsRubberBandActive() const { return m_rubberBandActive; }
    const wxColour& GetTextColour() const { return m_textColour; }

protected:
    // CreateControls: clears the built flag, the selection and the control
    // buttons, and hides the control settings window.
    void BeginLayout();
    void AddControlButton(std::unique_ptr<CControlButton> button);
    void EndLayout();

    // Captions, then the hover mark of the single control under the pointer,
    // then the selection marks.
    void DrawControls(wxDC& dc);
    // Per zone a row: "ZONE n:", its ports and its low and high notes.
    void DrawZoneLabels(wxDC& dc);

private:
    void UpdateHoverList(CControlButton* button);
    // A pane under the pointer takes the move: its button's hover and tip.
    bool PaneTakesMove(PanelPane& pane, const wxPoint& point, bool& redraw);
    // Screen readers learn of every change of the selection: the one control
    // a gesture added takes the focus, any other change is announced as such.
    std::vector<int> SelectedIndices() const;
    void AnnounceSelection(const std::vector<int>& before) const;
    // OnMouseButton without telling screen readers.
    void HandleMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool button, bool up, bool right);
    void StartDrag();
    void EndDrag();
    void StartRubberBand(const wxPoint& point);
    void TrackPointer(const wxPoint& point);
    bool DragReady() const { return m_dragList && m_dropReady; }
    void SetMainCursor(bool allowed);
    // No tip where no control is: the last one's text would show.
    static void ClearPanelTip();
    wxPoint StripPoint(const wxPoint& point) const;

    std::unique_ptr<KeyboardStrip> m_keyboardStrip;
    std::unique_ptr<Selection> m_dragList;
    bool m_dropReady = false;
    wxPoint m_bandAnchor;
    Selection m_bandStartSelection;
    int m_stripOrigin[2] = {0, 0};
    int m_zoneLabelOrigin[2] = {0, 0};
    wxPoint m_zonesTextPoint;
    bool m_sendButtonShown = true;
    bool m_zonesShown = true;
    wxBitmap m_background;
    std::vector<std::unique_ptr<CControlButton>> m_controlButtons;
    std::vector<std::unique_ptr<PanelPane>> m_panes;
    Selection m_selection;
    Selection m_hoverList;
    bool m_rubberBandActive = false;
    wxRect m_rubberBand;
    CAnimatedButton m_listenButton{100};
    CAnimatedButton m_sendButton{50};
    CToggleButton m_zonesButton{*wxWHITE};
    int m_hoverIndex = -1;
    int m_panelWidth = 0;
    int m_panelHeight = 0;
    bool m_built = false;
    wxColour m_textColour = *wxBLACK;
};
