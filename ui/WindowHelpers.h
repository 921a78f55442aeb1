#pragma once

#include <wx/string.h>

#include "app/ProgramFiles.h"

class wxWindow;

// Program folder + "/images/" + name + "." + extension.
wxString GetImagesPath(const wxString& name, const wxString& extension);

// Program folder + "/" + name + "." + extension: the resource files, the help
// page ("help", "html"), the factory bank ("FactorySettings", "blk").
wxString GetResourceFilePath(const wxString& name, const wxString& extension);

// Takes a row out of a dialog or panel when the condition holds, so that one
// resource serves every device model: a window in a sizer is hidden and
// detached (not destroyed) and that sizer lays itself out again; a window in
// no sizer is only hidden. A null window (a name missing from the resource)
// is ignored.
void RemoveWindowIf(bool condition, wxWindow* window);
