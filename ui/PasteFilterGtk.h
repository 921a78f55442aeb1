#pragma once

#include <functional>

#include <wx/string.h>

class wxWindow;

// What a paste may put into a text field: given the field's text, the range
// [from, to) that the paste replaces and the pasted text, the text to insert
// there instead; an empty answer refuses the paste.
using PasteFilter = std::function<wxString(const wxString& text, long from, long to, const wxString& pasted)>;

// Every paste into the field (a text or spin control) goes through filter,
// however the user pastes: Ctrl+V or the context menu (the clipboard), a
// middle click (X's primary selection, at the place clicked), or text dropped
// on it (at the place of the drop, over the selection when inside it). What filter
// keeps replaces the range; a paste that filter refuses beeps as a refused
// key does and leaves the text as it was, where GTK would first take the
// replaced text out. A paste cut short beeps too.
void FilterPastes(wxWindow& field, PasteFilter filter);
