#include "ui/ResourceFiles.h"

#include <wx/filename.h>
#include <wx/xrc/xmlres.h>

#include "ui/ResourceContract.h"
#include "ui/WindowHelpers.h"

namespace
{
// InitAllHandlers adds a new set of handlers on every call.
void InitHandlersOnce(wxXmlResource& resources)
{
    static wxXmlResource* initialised = nullptr;
    if (initialised == &resources)
        return;
    resources.InitAllHandlers();
    initialised = &resources;
}

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
    InitHandlersOnce(resources);
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
    return LoadResourceFiles(*wxXmlResource::Get(), GetProgramFolder(), appKey);
}
