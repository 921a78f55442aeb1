#include "app/EditorAppHost.h"

#include "app/EditorApp.h"
#include "app/WxText.h"

const IDeviceAnswers& CEditorAppHost::Device() const
{
    return m_app.Device();
}

int CEditorAppHost::ShowMessage(const std::string& text, int style)
{
    return m_app.ShowMessage(ToWx(text), style);
}

void CEditorAppHost::ShowErrorReport(const std::string& message, const std::string& reportFile,
                                     const std::string& reportType)
{
    m_app.ShowErrorReport(ToWx(message), ToWx(reportFile), ToWx(reportType));
}

bool CEditorAppHost::SendErrorsHome() const
{
    return Preferences::IsOn(m_app.Prefs().sendErrorsHome);
}

IEditorWindow* CEditorAppHost::Window()
{
    return m_app.GetEditorWindow();
}
