#include "plugins/dialogs/TemplateFromPlugin.h"

#include <wx/utils.h>

#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "plugins/VSTPluginInfo.h"
#include "plugins/dialogs/VSTSelector.h"

std::unique_ptr<CEditorTemplate> CreateTemplateFromPlugin(wxWindow* parent)
{
    CVSTSelector selector;
    if (!selector.Create(parent))
        return nullptr;
    selector.SetTitle("Select Plugin");
    const int answer = selector.ShowModal();
    const VSTPluginInfo* plugin = selector.GetSelectedPlugin();
    if (answer != wxOK || !plugin)
        return nullptr;

    std::unique_ptr<CEditorTemplate> result = Device().CreateTemplate();
    wxBusyCursor busy;
    result->ImportParameters(plugin->effectName, plugin->vendor, plugin->parameters);
    return result;
}
