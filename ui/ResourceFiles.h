#pragma once

#include <wx/string.h>

class wxXmlResource;

// Loads the dialog and panel layouts: Common.xrc always, then <appKey>.xrc
// only when that file exists (a device without resources of its own ships
// none). Registers the toolkit's XRC handlers first. Files already loaded are
// loaded afresh, not twice. Returns false when Common.xrc is missing or a file
// that exists does not load; a missing Common.xrc is not logged, so the
// caller decides what to tell the user. GUI thread only.
bool LoadResourceFiles(wxXmlResource& resources, const wxString& folder, const wxString& appKey);

// The start-up form: the toolkit's global resources, from the program folder.
bool LoadResourceFiles(const wxString& appKey);
