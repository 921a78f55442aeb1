#pragma once

#include <memory>

class CEditorTemplate;
class wxWindow;

// The main window's "import names from a plug-in" command: shows the plug-in
// selector, titled "Select Plugin", modally over parent, and builds a new
// template from the chosen plug-in's parameter names (one parameter per
// control in order, each also kept under the imported controls; a notice
// tells how many did not fit). Null when the user cancels, picks nothing, or
// the selector's resource is missing. The caller hides the control settings
// window before and adds the template to its open templates after.
// GUI thread only.
std::unique_ptr<CEditorTemplate> CreateTemplateFromPlugin(wxWindow* parent);
