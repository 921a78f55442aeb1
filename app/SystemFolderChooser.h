#pragma once

#include <wx/string.h>

struct FolderDialogRequest;

// The desktop's folder chooser (GTK's, inside the toolkit's folder dialog, a
// wxDirDialog to modal hooks). On OK stores the chosen folder in chosen and
// returns true. OK while the chooser names no local folder (a search that
// found nothing, a place that is no folder on this computer) does nothing:
// the chooser stays open. GUI thread only.
bool ShowSystemFolderChooser(const FolderDialogRequest& request, wxString& chosen);
