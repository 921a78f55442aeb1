#pragma once

class wxDataViewCtrl;
class wxString;
class wxWindow;

// What screen readers are told of the toolkit's own widgets, beyond what GTK
// tells them by itself. GUI thread only.

// The window is still on screen for readers, with its texts and their
// changes, but draws nothing: what shows there is drawn by its parent.
void DrawOnlyForReaders(wxWindow& window);

// Readers hear the window as a status bar.
void SetReaderRoleStatusBar(wxWindow& window);

// The name readers speak for the native list (its table).
void SetReaderName(wxDataViewCtrl& list, const wxString& name);
