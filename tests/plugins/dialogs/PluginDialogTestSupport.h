#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/eventfilter.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>

#include "app/DialogHooks.h"
#include "tests/app/DialogScripts.h"
#include "tests/model/TempFolder.h"

// Preferences in a folder of the test's own, with "VSTDir" at a fresh plug-in
// folder; message boxes and folder choosers are recorded, never shown.
class PluginDialogTest : public testing::Test
{
protected:
    PluginDialogTest();
    ~PluginDialogTest() override;

    std::string VstDir() const { return m_config.Path() + "/vst"; }
    // A value as the preferences file on disk holds it now.
    static std::string Stored(const std::string& key);

    MessageRecorder m_boxes;
    std::vector<FolderDialogRequest> m_folderRequests;
    wxString m_folderAnswer; // empty: the chooser is cancelled

private:
    TempFolder m_config;
    FolderDialogFunction m_previousFolder;
};

// Runs a script inside every modal dialog once its loop runs, as a user
// would act on it. A script that leaves the dialog open ends it with
// wxID_ABORT, so a failed step never hangs the test.
class ModalScript : public wxModalDialogHook
{
public:
    explicit ModalScript(std::function<void(wxDialog&)> script);
    ~ModalScript() override;

    std::vector<wxString> titles; // of the dialogs shown, in order

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    std::function<void(wxDialog&)> m_script;
};

// Notes each time the scan's progress window is shown or hidden, with the
// file name it shows at that moment.
class ProgressWatcher : public wxEventFilter
{
public:
    ProgressWatcher();
    ~ProgressWatcher() override;
    int FilterEvent(wxEvent& event) override;

    std::vector<std::string> events; // "shown:<name>" or "hidden:<name>"
};

// What a user does: each refuses (a test failure) what the user could not do;
// ClickButton comes with the dialog scripts.
void SelectRow(wxListCtrl& list, long row, bool select = true);
void ActivateRow(wxListCtrl& list, long row);

wxListCtrl& PluginList(wxDialog& dialog);
