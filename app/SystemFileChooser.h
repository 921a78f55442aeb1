#pragma once

#include <wx/string.h>

struct FileDialogRequest;

// The desktop's file chooser (GTK's, inside the toolkit's file dialog, a
// wxFileDialog to modal hooks). On OK stores the chosen path in chosen and
// returns true. A file whose name is no UTF-8 (in Latin-1) is listed by the
// filters and chosen like any other. GUI thread only.
bool ShowSystemFileChooser(const FileDialogRequest& request, wxString& chosen);
