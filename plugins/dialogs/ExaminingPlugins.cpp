#include "plugins/dialogs/ExaminingPlugins.h"

#include <wx/log.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/ProgramFiles.h"
#include "app/WxText.h"

wxIMPLEMENT_DYNAMIC_CLASS(CExaminingPlugins, wxDialog);

bool CExaminingPlugins::Create(wxWindow* parent)
{
    if (!LoadDialogLayout(this, parent, "ID_EXAMINEPROGRESS", kCommonResourceName))
        return false;
    m_pluginName = XRCCTRL(*this, "ID_PLUGNAME", wxStaticText);
    if (!m_pluginName)
    {
        wxLogError("The resource \"ID_EXAMINEPROGRESS\" has no label \"ID_PLUGNAME\".");
        return false;
    }
    m_pluginName->SetLabel(wxString());
    Fit();
    Centre(wxBOTH);
    return true;
}

std::string CExaminingPlugins::FileNameOf(const std::string& path)
{
    std::string::size_type separator = path.rfind('/');
    if (separator == std::string::npos)
        separator = path.rfind('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

void CExaminingPlugins::OnExamining(const std::string& path)
{
    if (!m_pluginName)
        return;
    // A file name is shown as it is: "&" is no mnemonic here.
    m_pluginName->SetLabelText(ToWx(FileNameOf(path)));
    Layout();
    Refresh();
    Update();
}

void CExaminingPlugins::OnPluginExamined(const VSTPluginInfo&)
{
}
