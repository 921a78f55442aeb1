#include "ui/ResourceFiles.h"

#include <wx/filename.h>
#include <wx/xrc/xmlres.h>

#include "ui/ResourceContract.h"
#include "ui/WindowHelpers.h"

namespace
{
bool LoadFile(wxXmlResource& resources, const wxString& path)
{
    // Load takes a file-system location: the file name is made a file: URL
    // there, so folders with blanks or "#" in their names load as well.
    resources.Unload(path);
    return resources.Load(path);
}
} // namespace

bool LoadResourceFiles(wxXmlResource& resources, const wxString& folder, const wxString& appKey)
{
    const wxString common = folder + "/" + kCommonResourceName + ".xrc";
    if (!wxFileName::FileExists(common))
        return false;
    bool loaded = LoadFile(resources, common);
    const wxString device = folder + "/" + appKey + ".xrc";
    if (!appKey.empty() && wxFileName::FileExists(device))
        loaded = LoadFile(resources, device) && loaded;
    return loaded;
}

bool LoadResourceFiles(const wxString& appKey)
{
    // InitAllHandlers adds a new set on every call. The global resources live
    // until the toolkit shuts down unless someone replaces them.
    static wxXmlResource* initialised = nullptr;
    wxXmlResource* resources = wxXmlResource::Get();
    if (initialised != resources)
    {
        resources->InitAllHandlers();
        initialised = resources;
    }
    return LoadResourceFiles(*resources, GetProgramFolder(), appKey);
}
