#pragma once

#include <string>
#include <vector>

#include <wx/dataview.h>
#include <wx/frame.h>

class wxTextCtrl;

// Asked before completions are offered; false suppresses them.
class IAutoCompleteClient
{
public:
    virtual ~IAutoCompleteClient() = default;
    virtual bool OnAutoComplete() = 0;
};

// The list of the completion pop-up, a native list that screen readers read
// as rows and follow as the arrows move. Typing goes on into the watched
// field while the list has the focus, through the field's validator as if
// typed there.
class CAutoCompleteListCtrl : public wxDataViewListCtrl
{
public:
    CAutoCompleteListCtrl(wxWindow* parent, wxTextCtrl* text);
    void ForgetText() { m_text = nullptr; }
    // The list's rows become these texts, the cursor on the first, none selected.
    void SetRows(const std::vector<std::string>& texts);

private:
    void OnKey(wxKeyEvent& event);
    // One row down (1) or up (-1); the first or the last when none is selected.
    void MoveSelection(int step);

    wxTextCtrl* m_text;
};

// A small pop-up under a name field that offers completions of the word being
// typed from the process's word list (Host().Words()). GUI thread only.
class CAutoCompleteMenu : public wxFrame
{
public:
    // maxLength -1: no limit. The client may be null.
    CAutoCompleteMenu(wxWindow* parent, wxTextCtrl* text, int maxLength, IAutoCompleteClient* client);
    ~CAutoCompleteMenu() override;

    // The field's full texts offered for its current text, newest first.
    std::vector<std::string> ComposedCandidates(const wxString& text) const;
    const std::vector<std::string>& GetCandidates() const { return m_candidates; }
    CAutoCompleteListCtrl* GetList() const { return m_list; }
    // Writes the chosen candidate into the field and hides.
    void Choose(int item);
    // Hides and gives the keys back to the field.
    void Dismiss();

private:
    void OnText(wxCommandEvent& event);
    void OnTextDestroyed(wxWindowDestroyEvent& event);
    // Escape and Tab hide the list only; the keys stay in (or go back to) the field.
    void OnCharHook(wxKeyEvent& event);
    void OnShowMenu(wxShowEvent& event);
    void OnActivate(wxActivateEvent& event);
    void Fill(const wxString& text);
    // The field has the keys again, its caret where it was and nothing selected.
    void GiveKeysBack();

    CAutoCompleteListCtrl* m_list = nullptr;
    wxTextCtrl* m_text;
    std::vector<std::string> m_candidates;
    wxString m_lastText;
    int m_maxLength;
    IAutoCompleteClient* m_client;
};
