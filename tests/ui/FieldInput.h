#pragma once

#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "tests/ui/RealInput.h"

// A user's ways with the controls of a dialog or panel, through the X server
// (RealInput): Space on a button, check box or radio button; arrow keys on a
// choice until it shows position; typing over all of a field's text. Each is
// a test failure when a user could not reach the control: missing, hidden,
// disabled or unable to have the keyboard focus.
namespace FieldInput
{
inline void Press(wxWindow* control)
{
    ASSERT_TRUE(control && control->IsShownOnScreen() && control->IsEnabled())
        << (control ? control->GetName() : "no control") << " cannot be pressed";
    ASSERT_TRUE(RealInput::Focus(control)) << control->GetName();
    RealInput::Key(WXK_SPACE);
}

inline void Pick(wxChoice* choice, int position)
{
    ASSERT_TRUE(RealInput::Focus(choice)) << "no choice";
    for (int tries = 0; choice->GetSelection() != position && tries < 20; ++tries)
        RealInput::Key(choice->GetSelection() < position ? WXK_DOWN : WXK_UP);
}

// Makes a Dialog(nullptr, arguments...), runs the script inside its modal
// loop and answers what ShowModal returned.
template <typename Dialog, typename... Arguments>
int RunDialog(std::function<void(wxDialog&)> script, Arguments&&... arguments)
{
    Dialog dialog(nullptr, std::forward<Arguments>(arguments)...);
    RealInput::RunInsideModalLoop(dialog, std::move(script));
    return dialog.ShowModal();
}

inline void TypeOver(wxWindow* field, const char* text)
{
    ASSERT_TRUE(RealInput::Focus(field)) << text;
    RealInput::Key('A', wxMOD_CONTROL);
    RealInput::Type(text);
}

// The text copied, then Ctrl+V in the focused field.
inline void Paste(const char* text)
{
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    RealInput::Key('V', wxMOD_CONTROL);
}

// Pastes text over all of a field's text as a user does: the text is
// copied, a click puts the caret in the field (near its left end: a spin
// field's middle is a button), Ctrl+A and Ctrl+V.
inline void PasteOver(wxWindow* field, const char* text)
{
    RealInput::Click(field, wxPoint(20, field->GetClientSize().y / 2));
    RealInput::Key('A', wxMOD_CONTROL);
    Paste(text);
}

// Text dragged from another program and dropped over all of a field's text:
// a click puts the caret in the field (near its left end), Ctrl+A selects
// its text, and the drop comes there.
inline void DropOver(wxWindow* field, const char* text)
{
    const wxPoint nearLeft(20, field->GetClientSize().y / 2);
    RealInput::Click(field, nearLeft);
    RealInput::Key('A', wxMOD_CONTROL);
    ASSERT_TRUE(RealInput::DropFromOtherProgram(field, nearLeft, text)) << text;
}

// Pastes text as X users do: the text is selected elsewhere (X's primary
// selection) and the middle button clicked in the field near its left end.
inline void MiddleClickPaste(wxWindow* field, const char* text)
{
    wxTheClipboard->UsePrimarySelection(true);
    const bool opened = wxTheClipboard->Open();
    if (opened)
    {
        wxTheClipboard->SetData(new wxTextDataObject(text));
        wxTheClipboard->Close();
    }
    wxTheClipboard->UsePrimarySelection(false);
    ASSERT_TRUE(opened);
    RealInput::Click(field, wxPoint(20, field->GetClientSize().y / 2), wxMOD_NONE, wxMOUSE_BTN_MIDDLE);
}
} // namespace FieldInput
