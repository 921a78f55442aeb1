#pragma once

#include <functional>

#include <wx/string.h>

class wxWindow;

// The folder chooser of the dialogs: shows title, starts at path; on OK
// stores the choice in path and returns true. GUI thread only.
bool ChooseFolder(wxWindow* parent, const wxString& title, wxString& path);

// Tests answer the chooser instead of the user. Installs a replacement
// (empty restores the real one) and returns the previous one.
using FolderChooserFunction = std::function<bool(wxWindow* parent, const wxString& title, wxString& path)>;
FolderChooserFunction SetFolderChooser(FolderChooserFunction chooser);
