#include "tests/app/ModalWatchdog.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>

namespace
{
using Clock = std::chrono::steady_clock;

class ModalWatchdog : public wxModalDialogHook, public wxTimer
{
    std::vector<std::pair<wxDialog*, Clock::time_point>> m_open; // innermost last, with its deadline

    int Enter(wxDialog* dialog) override
    {
        const bool scripted = ScriptedModals().count(dialog) > 0;
        m_open.emplace_back(dialog, Clock::now() + std::chrono::seconds(scripted ? 30 : 3));
        if (!IsRunning())
            Start(100);
        return wxID_NONE;
    }

    void Exit(wxDialog* dialog) override
    {
        m_open.erase(std::remove_if(m_open.begin(), m_open.end(), [dialog](auto& o) { return o.first == dialog; }),
                     m_open.end());
        ScriptedModals().erase(dialog);
        if (m_open.empty())
            Stop();
    }

    void Notify() override
    {
        if (m_open.empty() || Clock::now() < m_open.back().second)
            return;
        wxDialog* dialog = m_open.back().first;
        m_open.back().second = Clock::time_point::max(); // ended once
        auto* box = dynamic_cast<wxMessageDialog*>(dialog);
        ADD_FAILURE() << "a modal " << (box ? "message box" : "dialog") << " was left open: \""
                      << dialog->GetTitle().utf8_str() << "\" " << (box ? box->GetMessage().utf8_str() : "")
                      << " (" << dialog->GetClassInfo()->GetClassName() << ")";
        // Message boxes and other native dialogs run GTK's own loop.
        if (!dialog->IsModal() && GTK_IS_DIALOG(dialog->GetHandle()))
            gtk_dialog_response(GTK_DIALOG(dialog->GetHandle()), GTK_RESPONSE_CANCEL);
        else
            dialog->EndModal(wxID_CANCEL);
    }
};

// Marks last only as long as their test.
struct ForgetMarks : testing::EmptyTestEventListener
{
    void OnTestEnd(const testing::TestInfo&) override { ScriptedModals().clear(); }
};

ModalWatchdog* g_watchdog = nullptr;
} // namespace

void InstallModalWatchdog()
{
    g_watchdog = new ModalWatchdog;
    g_watchdog->Register();
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetMarks);
}

void RemoveModalWatchdog()
{
    if (!g_watchdog)
        return;
    g_watchdog->Unregister();
    delete g_watchdog;
    g_watchdog = nullptr;
}
