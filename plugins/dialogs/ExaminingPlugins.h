#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include <wx/dialog.h>
#include <wx/utils.h>

#include "plugins/PluginHost.h"

class wxStaticText;

// The small modeless window that names each file while a plug-in scan runs.
// The scan holds the GUI thread, so OnExamining paints the name itself
// instead of waiting for the event loop: the first name at once, and later
// ones at once when the last paint is a little while ago (after a slow
// plug-in), so a run of quick files never waits for a frame each. While the
// scan waits on a slow file, OnWaiting names that one. While it
// is shown every other window of the program is disabled: nothing else can
// be started until the scan is over. GUI thread only.
class CExaminingPlugins : public wxDialog, public IPluginHost
{
public:
    // Empty, for the toolkit's run-time class table; Create fills it.
    CExaminingPlugins() = default;
    // Loads the resource "ID_EXAMINEPROGRESS" with an empty file name, fitted
    // and centred on the parent. False when the resource or its name label is missing.
    bool Create(wxWindow* parent);

    // Shown: every other window is disabled until it hides again.
    bool Show(bool show = true) override;

    // Shows the file name of the path: what follows its last "/", else its
    // last "\\", else the whole path; paints it before returning unless the
    // window painted very recently.
    void OnExamining(const std::string& path) override;
    void OnPluginExamined(const VSTPluginInfo& info) override;
    // Shows the file name of the path the scan waits for, painted at once.
    void OnWaiting(const std::string& path) override;

    // The part of a path OnExamining shows.
    static std::string FileNameOf(const std::string& path);

private:
    // GTK paints on its frame clock, from the event loop: Refresh and Update
    // alone paint nothing while the scan holds the GUI thread. The loop runs
    // here, for window updates and input only (input reaches no disabled
    // window), until this window has painted or a short time has passed.
    void PaintNow();
    // Shows the name; paints it at once when forced or when due.
    void ShowName(const std::string& path, bool force);

    wxStaticText* m_pluginName = nullptr;
    // When OnExamining last painted; empty before its first paint.
    std::optional<std::chrono::steady_clock::time_point> m_lastPaint;
    std::unique_ptr<wxWindowDisabler> m_othersDisabled;
    bool m_painted = false;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CExaminingPlugins);
};
