#include "ui/panels/AutoCompleteMenu.h"

#include <algorithm>

#include <wx/textctrl.h>
#include <wx/validate.h>

#include "app/WxText.h"
#include "model/EditorHost.h"
#include "model/WordList.h"
#include "ui/ListCursorGtk.h"

namespace
{
constexpr int kMaxShown = 20;
// About seven rows, as the list has always shown.
constexpr int kListHeight = 170;

std::string TrimRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}
} // namespace

CAutoCompleteListCtrl::CAutoCompleteListCtrl(wxWindow* parent, wxTextCtrl* text)
    : wxDataViewListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxDV_SINGLE | wxDV_NO_HEADER),
      m_text(text)
{
    SetName("listCtrl");
    // Every key the list does not take here goes to the field: none starts
    // the native list's search or moves its cursor on its own.
    Bind(wxEVT_CHAR, &CAutoCompleteListCtrl::OnKey, this);
}

void CAutoCompleteListCtrl::SetRows(const std::vector<std::string>& texts)
{
    DeleteAllItems();
    for (const std::string& text : texts)
    {
        wxVector<wxVariant> row;
        row.push_back(ToWx(text));
        AppendItem(row);
    }
    // The cursor on what Enter takes, so that a reader hears it, and nothing
    // selected: the first Down selects that row, as ever.
    SetListCursor(*this, 0);
    UnselectAll();
}

void CAutoCompleteListCtrl::OnKey(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    switch (key)
    {
    case WXK_UP:
    case WXK_DOWN:
        // Moved here: the list moves only from an item it calls current, and
        // a freshly filled list has none.
        MoveSelection(key == WXK_DOWN ? 1 : -1);
        return;
    case WXK_LEFT:
    case WXK_RIGHT:
        event.Skip();
        return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    {
        const int selected = GetSelectedRow();
        if (GetItemCount() > 0)
            static_cast<CAutoCompleteMenu*>(GetParent())->Choose(selected >= 0 ? selected : 0);
        return;
    }
    default:
        break;
    }
    if (!m_text)
        return;
    const long point = m_text->GetInsertionPoint();
    if (key == WXK_BACK || key == WXK_DELETE)
    {
        if (point > 0)
            m_text->Remove(point - 1, point);
        return;
    }
    if (event.GetUnicodeKey() == WXK_NONE)
        return;
    // The field's validator judges the key as if it had been typed there.
    if (wxValidator* validator = m_text->GetValidator())
    {
        wxKeyEvent typed(event);
        typed.SetEventObject(m_text);
        typed.SetId(m_text->GetId());
        typed.Skip(false);
        validator->ProcessEventLocally(typed);
        if (!typed.GetSkipped())
            return;
    }
    m_text->WriteText(wxString(event.GetUnicodeKey()));
}

void CAutoCompleteListCtrl::MoveSelection(int step)
{
    const int count = GetItemCount();
    if (count == 0)
        return;
    const int selected = GetSelectedRow();
    const int next = selected < 0 ? (step > 0 ? 0 : count - 1) : std::clamp(selected + step, 0, count - 1);
    // The cursor, not only the selection: a reader hears the row it moves to.
    SetListCursor(*this, next);
    EnsureVisible(RowToItem(next));
}

CAutoCompleteMenu::CAutoCompleteMenu(wxWindow* parent, wxTextCtrl* text, int maxLength, IAutoCompleteClient* client)
    : wxFrame(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_TOOL_WINDOW | wxFRAME_FLOAT_ON_PARENT | wxFRAME_NO_TASKBAR),
      m_text(text), m_maxLength(maxLength), m_client(client)
{
    m_list = new CAutoCompleteListCtrl(this, text);
    const int width = text->GetSize().GetWidth();
    m_list->AppendTextColumn(wxEmptyString, wxDATAVIEW_CELL_INERT, width > 22 ? width - 22 : width);
    SetSize(width, kListHeight);
    m_list->SetSize(width, kListHeight);
    text->Bind(wxEVT_TEXT, &CAutoCompleteMenu::OnText, this);
    text->Bind(wxEVT_DESTROY, &CAutoCompleteMenu::OnTextDestroyed, this);
    // Whichever has the keys, the field or the list (its keys come up here).
    text->Bind(wxEVT_CHAR_HOOK, &CAutoCompleteMenu::OnCharHook, this);
    Bind(wxEVT_CHAR_HOOK, &CAutoCompleteMenu::OnCharHook, this);
    Bind(wxEVT_SHOW, &CAutoCompleteMenu::OnShowMenu, this);
    Bind(wxEVT_ACTIVATE, &CAutoCompleteMenu::OnActivate, this);
    m_list->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED,
                 [this](wxDataViewEvent& event) { Choose(m_list->ItemToRow(event.GetItem())); });
}

CAutoCompleteMenu::~CAutoCompleteMenu()
{
    if (m_text)
    {
        m_text->Unbind(wxEVT_TEXT, &CAutoCompleteMenu::OnText, this);
        m_text->Unbind(wxEVT_DESTROY, &CAutoCompleteMenu::OnTextDestroyed, this);
        m_text->Unbind(wxEVT_CHAR_HOOK, &CAutoCompleteMenu::OnCharHook, this);
    }
}

void CAutoCompleteMenu::OnCharHook(wxKeyEvent& event)
{
    // Taken before the window around the field sees them: its Escape would
    // close it, its Tab move on.
    const int key = event.GetKeyCode();
    if (IsShown() && (key == WXK_ESCAPE || key == WXK_TAB) && !event.ControlDown() && !event.AltDown())
        Dismiss();
    else
        event.Skip();
}

void CAutoCompleteMenu::OnTextDestroyed(wxWindowDestroyEvent& event)
{
    event.Skip();
    if (event.GetEventObject() == m_text)
    {
        m_text = nullptr;
        m_client = nullptr;
        m_list->ForgetText();
    }
}

std::vector<std::string> CAutoCompleteMenu::ComposedCandidates(const wxString& text) const
{
    const std::string full = FromWx(text);
    const size_t space = full.rfind(' ');
    const std::string before = space == std::string::npos ? std::string() : full.substr(0, space);
    const std::string word = space == std::string::npos ? full : full.substr(space + 1);
    std::vector<std::string> composed;
    if (word.empty())
        return composed;
    for (const std::string& candidate : Host().Words().Completions(word))
    {
        std::string result = before.empty() ? candidate : before + " " + candidate;
        if (m_maxLength < 0 || static_cast<int>(result.size()) < m_maxLength - 1)
            result += " ";
        result = TrimRight(result);
        if (m_maxLength < 0 || static_cast<int>(result.size()) <= m_maxLength)
            composed.push_back(result);
    }
    return composed;
}

void CAutoCompleteMenu::OnText(wxCommandEvent& event)
{
    event.Skip();
    if (!m_text || (m_client && !m_client->OnAutoComplete()))
        return;
    const wxString text = m_text->GetValue();
    if (text == m_lastText)
        return;
    m_lastText = text;
    Fill(text);
}

void CAutoCompleteMenu::Fill(const wxString& text)
{
    m_candidates = ComposedCandidates(text);
    if (m_candidates.empty())
    {
        if (IsShown())
            Dismiss();
        return;
    }
    m_list->SetRows({m_candidates.begin(), m_candidates.begin() + std::min<std::size_t>(m_candidates.size(), kMaxShown)});
    Show();
}

void CAutoCompleteMenu::Choose(int item)
{
    if (item >= 0 && item < static_cast<int>(m_candidates.size()) && m_text)
    {
        const wxString chosen = ToWx(m_candidates[item]);
        m_lastText = chosen;
        m_text->SetValue(chosen);
        m_text->SetInsertionPointEnd();
    }
    Dismiss();
}

void CAutoCompleteMenu::Dismiss()
{
    Hide();
    // The field's window takes the keys back from the pop-up's.
    if (m_text)
        if (wxWindow* top = wxGetTopLevelParent(m_text))
            top->Raise();
    GiveKeysBack();
}

void CAutoCompleteMenu::GiveKeysBack()
{
    if (!m_text || wxWindow::FindFocus() == m_text)
        return;
    // GTK selects the whole text of a field that takes the focus: the next
    // key would replace the name instead of going on where it stood.
    const long point = m_text->GetInsertionPoint();
    m_text->SetFocus();
    m_text->SetInsertionPoint(point);
}

void CAutoCompleteMenu::OnShowMenu(wxShowEvent& event)
{
    event.Skip();
    if (!event.IsShown() || !m_text)
        return;
    const wxPoint below = m_text->GetPosition() + wxPoint(0, 20);
    Move(m_text->GetParent()->ClientToScreen(below));
    m_list->SetFocus();
}

void CAutoCompleteMenu::OnActivate(wxActivateEvent& event)
{
    event.Skip();
    // The user went elsewhere: no raising of the field's window.
    if (!event.GetActive() && IsShown())
    {
        Hide();
        GiveKeysBack();
    }
}
