#include "app/EditorAppHost.h"

#include "app/EditorApp.h"
#include "app/WxText.h"

// The data layer's message styles and answers pass through unchanged.
static_assert(MessageStyle::Yes == wxYES && MessageStyle::No == wxNO && MessageStyle::Ok == wxOK &&
              MessageStyle::Cancel == wxCANCEL && MessageStyle::YesNo == wxYES_NO);
static_assert(MessageStyle::IconExclamation == wxICON_EXCLAMATION &&
              MessageStyle::IconError == wxICON_ERROR && MessageStyle::IconQuestion == wxICON_QUESTION &&
              MessageStyle::IconInformation == wxICON_INFORMATION);
static_assert(MessageAnswer::Yes == wxYES && MessageAnswer::No == wxNO && MessageAnswer::Ok == wxOK &&
              MessageAnswer::Cancel == wxCANCEL);

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

const AbbreviationMap& CEditorAppHost::Abbreviations() const
{
    return m_app.DictionariesFilled() ? m_app.Abbreviations() : IEditorHost::Abbreviations();
}

WordList& CEditorAppHost::Words()
{
    return m_app.DictionariesFilled() ? m_app.Words() : IEditorHost::Words();
}
