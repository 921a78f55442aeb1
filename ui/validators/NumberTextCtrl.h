#pragma once

#include <functional>
#include <memory>

#include <wx/textctrl.h>

class CPlacedControl;
class ICommandCreator;
class wxCommandEvent;
class wxSpinCtrl;

// A number field of the property panels: holds one integer setting of one
// control and turns each committed change (focus leaves, or Enter) into one
// command, made by the bound creator and submitted to the current template.
// An entry that is not a number in range is replaced by the last value.
// The resources make it by class name (subclass="NumberTextCtrl").
// GUI thread only.
class NumberTextCtrl : public wxTextCtrl
{
public:
    NumberTextCtrl();
    ~NumberTextCtrl() override;

    // The creator is not owned and must outlive the field (creators hold no
    // data: keep one static per command class). The control is cloned.
    // committed runs after each submitted command (the owner shows the result).
    void BindCommandCreator(const ICommandCreator* creator, const CPlacedControl& control,
                            std::function<void()> committed = {});
    // Accepted values, both included; the bounds may come in either order.
    void SetRange(int maximum, int minimum);
    int GetMaximum() const { return m_maximum; }
    int GetMinimum() const { return m_minimum; }
    // Shows v without an event and remembers it as the last value.
    void ShowValue(int v);
    int GetLastValue() const { return m_lastValue; }
    bool IsValidEntry() const;
    // The text as a number, 0 when it is none.
    int GetIntValue() const;
    // Submits the entry when it is a new value in range, then shows the last value.
    void Commit();
    // Commits what is typed, then forgets the creator and the owner's callback:
    // for an owner that goes before the field does.
    void CommitAndRelease();

    // The spin entry check of the dialogs' spin controls: puts the last good
    // value back when the typed text is not acceptable. Reads the event's text,
    // not the spin's value (GTK reports that already clamped). An empty text,
    // and a number below the minimum that more digits can still bring into
    // range, are let be: they are on their way to another entry. limit -1:
    // the spin's own maximum. True when the entry is a new value other than
    // restore; restore then holds it.
    static bool ApplyEntry(wxSpinCtrl* spin, int& restore, int limit, const wxCommandEvent& event);
    // The spin's text is a number within its range (no entry on its way).
    static bool HoldsWholeValue(const wxSpinCtrl* spin);
    // Enter ends the entry as leaving the field does: an entry on its way
    // becomes the nearest value in range (an empty one the value nearest 0),
    // and the spin's owner hears of it as of any typed text.
    static void EndEntry(wxSpinCtrl* spin);
    static void SetValueInt(wxSpinCtrl* spin, int v);

private:
    void OnKillFocus(wxFocusEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnEnter(wxCommandEvent& event);

    std::unique_ptr<CPlacedControl> m_control;
    const ICommandCreator* m_creator = nullptr;
    std::function<void()> m_committed;
    int m_lastValue = 0;
    int m_maximum = 127;
    int m_minimum = 0;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(NumberTextCtrl);
};

// The spin control's value within its own minimum and maximum.
int GetClampedSpinValue(const wxSpinCtrl* spin);
