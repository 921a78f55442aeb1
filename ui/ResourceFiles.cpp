#include "ui/ResourceFiles.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "app/WxText.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
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

bool LoadResourceFiles(wxXmlResource& resources, const wxString& folder, const wxString& appKey,
                       wxString* problem)
{
    // Each file on its own: a missing or broken common file leaves the
    // device's own layouts usable, and the other way round.
    wxString problems;
    const wxString common = folder + "/" + kCommonResourceName + ".xrc";
    if (!wxFileName::FileExists(common))
        problems += "The window layouts file \"" + common +
                    "\" is missing: the dialogs and settings panels it holds cannot be opened.\n";
    else if (!LoadFile(resources, common))
        problems += "The window layouts file \"" + common + "\" could not be read.\n";
    const wxString device = folder + "/" + appKey + ".xrc";
    if (!appKey.empty() && wxFileName::FileExists(device) && !LoadFile(resources, device))
        problems += "The window layouts file \"" + device + "\" could not be read.\n";
    if (problem)
        *problem = problems.Trim();
    return problems.empty();
}

wxString ResourceFileStemOf(const char* resourceName)
{
    const ContractResource* resource = FindContractResource(resourceName);
    if (resource && resource->deviceFile)
        return ToWx(Device().GetAppKey());
    return kCommonResourceName;
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
    wxString problem;
    if (LoadResourceFiles(*resources, GetProgramFolder(), appKey, &problem))
        return true;
    wxLogError("%s", problem);
    return false;
}
