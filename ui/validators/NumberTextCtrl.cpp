#include "ui/validators/NumberTextCtrl.h"

#include <algorithm>

#include <wx/spinctrl.h>

#include "model/PlacedControl.h"
#include "model/commands/CommandCreator.h"
#include "model/commands/SubmitCommand.h"
#include "ui/validators/WholeNumber.h"

wxIMPLEMENT_DYNAMIC_CLASS(NumberTextCtrl, wxTextCtrl);

NumberTextCtrl::NumberTextCtrl()
{
    Bind(wxEVT_KILL_FOCUS, &NumberTextCtrl::OnKillFocus, this);
    Bind(wxEVT_CHAR, &NumberTextCtrl::OnChar, this);
}

NumberTextCtrl::~NumberTextCtrl() = default;

void NumberTextCtrl::BindCommandCreator(const ICommandCreator* creator, const CPlacedControl& control,
                                        std::function<void()> committed)
{
    m_creator = creator;
    m_committed = std::move(committed);
    m_control = control.Clone();
    if (!HasFlag(wxTE_PROCESS_ENTER))
    {
        // The toolkit sends Enter only to fields with this style; Commit
        // finds nothing new when the character handler already ran it.
        SetWindowStyleFlag(GetWindowStyleFlag() | wxTE_PROCESS_ENTER);
        Bind(wxEVT_TEXT_ENTER, &NumberTextCtrl::OnEnter, this);
    }
}

void NumberTextCtrl::SetRange(int maximum, int minimum)
{
    m_maximum = maximum;
    m_minimum = minimum;
}

void NumberTextCtrl::ShowValue(int v)
{
    const wxString text = wxString::Format("%d", v);
    if (GetValue() != text)
        ChangeValue(text);
    m_lastValue = v;
}

bool NumberTextCtrl::IsValidEntry() const
{
    int n = 0;
    if (!ParseWholeNumber(GetValue(), n))
        return false;
    if (m_maximum > m_minimum)
        return n >= m_minimum && n <= m_maximum;
    return n >= m_maximum && n <= m_minimum;
}

int NumberTextCtrl::GetIntValue() const
{
    int n = 0;
    return ParseWholeNumber(GetValue(), n) ? n : 0;
}

void NumberTextCtrl::Commit()
{
    if (m_creator && m_control && IsValidEntry())
    {
        const int v = GetIntValue();
        if (v != m_lastValue)
        {
            // The last value moves first: a refresh during the submission
            // shows the control again through ShowValue.
            const int previous = m_lastValue;
            m_lastValue = v;
            if (!SubmitToCurrentTemplate(m_creator->Create(*m_control, v)))
                m_lastValue = previous;
            else if (m_committed)
                m_committed();
        }
    }
    ShowValue(m_lastValue);
}

void NumberTextCtrl::CommitAndRelease()
{
    m_committed = nullptr;
    Commit();
    m_creator = nullptr;
    m_control.reset();
}

void NumberTextCtrl::OnKillFocus(wxFocusEvent& event)
{
    Commit();
    event.Skip();
}

void NumberTextCtrl::OnChar(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_RETURN)
        Commit();
    event.Skip();
}

void NumberTextCtrl::OnEnter(wxCommandEvent& event)
{
    Commit();
    event.Skip();
}

void NumberTextCtrl::SetValueInt(wxSpinCtrl* spin, int v)
{
    spin->SetValue(wxString::Format("%d", v));
}

int GetClampedSpinValue(const wxSpinCtrl* spin)
{
    const int v = spin->GetValue();
    if (v < spin->GetMin())
        return spin->GetMin();
    if (v > spin->GetMax())
        return spin->GetMax();
    return v;
}

namespace
{
// Whether digits typed after t can still give a number within min..max.
bool CanGrowInto(int t, int min, int max)
{
    if (t < 0)
        return false; // more digits only take it further down
    for (long long scale = 10; scale <= 10LL * std::max(max, 1) && t * scale <= max; scale *= 10)
        if (t * scale + scale - 1 >= min)
            return true;
    return false;
}
} // namespace

bool NumberTextCtrl::ApplyEntry(wxSpinCtrl* spin, int& restore, int limit, const wxCommandEvent& event)
{
    const wxString text = event.GetString();
    if (limit == -1)
        limit = spin->GetMax();
    if (text.empty())
    {
        // A passing state: GTK reports typing over a selection as the empty
        // text, then the new one. A field still empty when the entry ends
        // (Enter, focus loss) is filled by the toolkit with the value nearest
        // to 0, its minimum, which comes here as the next entry.
        return false;
    }
    if (text == "-")
    {
        // The start of a negative number where one may follow; else refused.
        if (spin->GetMin() >= 0)
            SetValueInt(spin, restore);
        return false;
    }
    // The typed number, not the spin's value: GTK reports that already clamped.
    int typed = 0;
    if (!ParseWholeNumber(text, typed) || typed > limit)
    {
        SetValueInt(spin, restore);
        return false;
    }
    if (typed < spin->GetMin())
    {
        // A first digit may lie below the minimum ("6" on the way to 60): the
        // minimum is checked when the entry ends, where the toolkit raises
        // the value to it. What no further digit can make good goes at once.
        if (!CanGrowInto(typed, spin->GetMin(), limit))
            SetValueInt(spin, restore);
        return false;
    }
    const bool changed = restore != typed;
    restore = typed;
    return changed;
}

bool NumberTextCtrl::HoldsWholeValue(const wxSpinCtrl* spin)
{
    int value = 0;
    return ParseWholeNumber(spin->GetTextValue(), value) && value >= spin->GetMin() && value <= spin->GetMax();
}

void NumberTextCtrl::EndEntry(wxSpinCtrl* spin)
{
    if (HoldsWholeValue(spin))
        return;
    int typed = 0;
    if (!ParseWholeNumber(spin->GetTextValue(), typed))
        typed = 0;
    const int value = std::clamp(typed, spin->GetMin(), spin->GetMax());
    SetValueInt(spin, value);
    // Setting the value sends nothing: the owner is told as GTK tells it.
    wxCommandEvent text(wxEVT_TEXT, spin->GetId());
    text.SetEventObject(spin);
    text.SetString(spin->GetTextValue());
    text.SetInt(value);
    spin->HandleWindowEvent(text);
}
