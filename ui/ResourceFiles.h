#pragma once

#include <wx/string.h>

class wxXmlResource;

// Loads the dialog and panel layouts from a folder into resources whose XRC
// handlers are registered, each file on its own: Common.xrc, then
// <appKey>.xrc when that file exists (a device without layouts of its own
// ships none). Files already loaded are read afresh, not held twice. False
// when Common.xrc is missing or a file that exists does not load; problem
// then says which file and why (the toolkit logs what it could not parse).
// GUI thread only.
bool LoadResourceFiles(wxXmlResource& resources, const wxString& folder, const wxString& appKey,
                       wxString* problem = nullptr);

// The file stem (without ".xrc") a layout of the contract comes from: the
// device's own file or the common one.
wxString ResourceFileStemOf(const char* resourceName);

// The start-up form: registers the toolkit's XRC handlers with its global
// resources (once), then loads the files from the program folder; what went
// wrong is logged as an error.
bool LoadResourceFiles(const wxString& appKey);
