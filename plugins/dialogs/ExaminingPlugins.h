#pragma once

#include <string>

#include <wx/dialog.h>

#include "plugins/PluginHost.h"

class wxStaticText;

// The small modeless window that names each file while a plug-in scan runs.
// The scan holds the GUI thread, so OnExamining paints the name at once
// instead of waiting for the event loop. GUI thread only.
class CExaminingPlugins : public wxDialog, public IPluginHost
{
public:
    // Empty, for the toolkit's run-time class table; Create fills it.
    CExaminingPlugins() = default;
    // Loads the resource "ID_EXAMINEPROGRESS" with an empty file name, fitted
    // and centred on the parent. False when the resource or its name label is missing.
    bool Create(wxWindow* parent);

    // Shows the file name of the path: what follows its last "/", else its
    // last "\\", else the whole path.
    void OnExamining(const std::string& path) override;
    void OnPluginExamined(const VSTPluginInfo& info) override;

    // The part of a path OnExamining shows.
    static std::string FileNameOf(const std::string& path);

private:
    wxStaticText* m_pluginName = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CExaminingPlugins);
};
