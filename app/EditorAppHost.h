#pragma once

#include "model/EditorHost.h"

class CEditorApp;

// The application's side of the data layer's seam: device questions, message
// boxes and data-error reports go to the application object.
class CEditorAppHost : public IEditorHost
{
public:
    explicit CEditorAppHost(CEditorApp& app) : m_app(app) {}

    const IDeviceAnswers& Device() const override;
    int ShowMessage(const std::string& text, int style) override;
    void ShowErrorReport(const std::string& message, const std::string& reportFile,
                         const std::string& reportType) override;
    bool SendErrorsHome() const override;
    // Null until the main window exists.
    IEditorWindow* Window() override;
    // The application's own pair once start-up has filled it.
    const AbbreviationMap& Abbreviations() const override;
    WordList& Words() override;

private:
    CEditorApp& m_app;
};
