#pragma once

#include <wx/string.h>

// The picture of the images folder beside the program: <folder>/images/<name>.png.
// Until the shared resource helpers exist this is the one place that builds the path.
wxString ViewImagePath(const wxString& name);
