#pragma once

#include <memory>
#include <string>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include "ui/ControlCaption.h"

class CBaseControlState;
class CPlacedControl;
struct ControlInfoRecord;
class wxDC;

// Shapes of on-screen controls, 0 to 10; each gives the size of the basic
// rectangle. The main unit's panel uses these four; the others are shapes of
// other panels and keep their numbers.
namespace ControlButtonKind
{
enum Value : int
{
    Pot = 0,       // 34 x 34
    Button = 3,    // 36 x 18
    Pedal = 4,     // 34 x 34
    TextField = 6, // sized from the display font
};
} // namespace ControlButtonKind

// How a control's caption is laid out and named (see ControlCaption::Init).
struct CaptionOptions
{
    bool singleLine = false;
    int nameLength = -1;
    int shorteningMode = 0;
    bool useParamName = false;
};

// One on-screen control of the front panel: the rectangle that stands for one
// assignable control of the template, the placed control it owns, the caption
// under it and the marks on it. The control index is the key the view,
// selection and navigation share. GUI thread only.
class CControlButton
{
public:
    // position: top-left of the control's shape on the panel; labelOffset:
    // the caption's offset from the bottom-left corner of the shape
    // (text fields: of their widened box). characters: width of a text field.
    // A black frame colour means no frame of its own.
    CControlButton(const wxPoint& position, int kind, std::unique_ptr<CPlacedControl> control,
                   const std::string& name, const std::string& description,
                   const CaptionOptions& caption, int characters, const wxColour& markColour,
                   const wxColour& frameColour, const wxPoint& labelOffset);
    virtual ~CControlButton();
    CControlButton(const CControlButton&) = delete;
    CControlButton& operator=(const CControlButton&) = delete;

    virtual CBaseControlState* GetControl();
    virtual int GetIndex() const;
    // 2-pixel frame of the rectangle in the mark colour: the control under the pointer.
    virtual void DrawDropMark(wxDC& dc, const wxPoint& origin);
    // 2-pixel frame in the highlight colour: a selected control.
    virtual void DrawSelectionMark(wxDC& dc, const wxPoint& origin);
    // The caption and, unless the frame colour is black, a 1-pixel frame.
    virtual void DrawCaption(wxDC& dc, const wxColour& textColour, const wxPoint& origin);
    // The caption's lines alone.
    void DrawCaptionTexts(wxDC& dc, const wxColour& textColour, const wxPoint& origin);

    // x <= px < x + width and y <= py < y + height.
    bool HitTest(const wxPoint& point) const { return m_rect.Contains(point); }
    const wxRect& GetRect() const { return m_rect; }
    int GetKind() const { return m_kind; }
    CPlacedControl& GetPlacedControl() { return *m_control; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetDescription() const { return m_description; }
    ControlCaption& GetCaption() { return m_caption; }
    const wxColour& GetMarkColour() const { return m_markColour; }

    // The name, " - " and the description when there is one, then "\n".
    std::string GetLabelText() const;
    // Puts this control's description on the main window's tooltip, when the
    // "ShowCtrlToolTips" preference is on; an unassigned control clears it.
    void UpdateToolTip();
    // What UpdateToolTip puts there: empty for an unassigned control.
    wxString ToolTipText();

    // The tooltip text of a control description.
    static std::string ControlInfoText(const ControlInfoRecord& record);
    // The basic size of a kind; text fields from the font and character count.
    // Kinds outside 0..10 are empty.
    static wxSize KindSize(int kind, int characters);

private:
    wxRect m_rect;
    int m_kind;
    std::unique_ptr<CPlacedControl> m_control;
    ControlCaption m_caption;
    wxPoint m_labelOffset;
    std::string m_name;
    std::string m_description;
    wxColour m_markColour;
    wxColour m_frameColour;
};
