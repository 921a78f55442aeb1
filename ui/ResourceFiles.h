#pragma once

#include <wx/string.h>

class wxXmlResource;

// Loads the dialog and panel layouts from a folder into resources whose XRC
// handlers are registered: Common.xrc always, then <appKey>.xrc only when that
// file exists (a device without resources of its own ships none). Files
// already loaded are read afresh, not held twice. Returns false when
// Common.xrc is missing or a file that exists does not load; a missing
// Common.xrc is not logged, so the caller decides what to tell the user.
// GUI thread only.
bool LoadResourceFiles(wxXmlResource& resources, const wxString& folder, const wxString& appKey);

// The start-up form: registers the toolkit's XRC handlers with its global
// resources (once), then loads the files from the program folder.
bool LoadResourceFiles(const wxString& appKey);
