#pragma once

#include <wx/string.h>

class wxDialog;
class wxPanel;
class wxWindow;

// The folder of the program file; what ships beside the program (resource
// files, images, help, the factory bank) is found there. No trailing "/".
wxString GetProgramFolder();

// Name (without ".xrc") of the resource file that every device shares; a
// device's own file is named by its application key.
extern const char* const kCommonResourceName;

// The path of a resource file in the program folder: file stem + ".xrc".
wxString ResourceFilePath(const wxString& fileStem);

// Loads a layout by name from the loaded resources into an empty window.
// When the resources hold no such layout, the toolkit's own words are kept
// quiet and one error names the layout and the file it should come from
// (fileStem in the program folder); the window then stays uncreated and the
// result is false. A panel's failure is logged once per run: a settings
// column is built again for every control the user picks. GUI thread only.
bool LoadDialogLayout(wxDialog* dialog, wxWindow* parent, const char* name, const wxString& fileStem);
bool LoadPanelLayout(wxPanel* panel, wxWindow* parent, const char* name, const wxString& fileStem);
