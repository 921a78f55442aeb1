#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include "app/DialogHooks.h"
#include "app/WxText.h"
#include "tests/app/ModalWatchdog.h"

// Records each message box instead of showing it and answers with a button.
struct MessageRecorder
{
    struct Box
    {
        wxString text, caption;
        long style;
        wxWindow* parent;
    };
    std::vector<Box> boxes;
    std::function<void()> whileShowing; // runs inside the box, as idle passes do
    int answer = wxOK;
    std::vector<int> script; // answers for the next boxes, in order; then answer
    MessageBoxFunction previous = SetMessageBoxFunction([this](const wxString& text, const wxString& caption,
                                                               long style, wxWindow* parent) {
        boxes.push_back({text, caption, style, parent});
        if (whileShowing)
            whileShowing();
        if (script.empty())
            return answer;
        const int scripted = script.front();
        script.erase(script.begin());
        return scripted;
    });
    ~MessageRecorder() { SetMessageBoxFunction(previous); }

    // The texts of the boxes shown so far, which are forgotten.
    std::vector<std::string> TakeTexts()
    {
        std::vector<std::string> texts;
        for (const Box& box : boxes)
            texts.push_back(FromWx(box.text));
        boxes.clear();
        return texts;
    }
};

// Answers the file chooser (an empty answer is Cancel) and notes each request.
struct FileChooserScript
{
    wxString answer;
    std::vector<FileDialogRequest> requests;
    std::function<void()> whileShowing; // runs inside the chooser
    FileDialogFunction previous = SetFileDialogFunction([this](const FileDialogRequest& request, wxString& chosen) {
        requests.push_back(request);
        if (whileShowing)
            whileShowing();
        chosen = answer;
        return !answer.empty();
    });
    ~FileChooserScript() { SetFileDialogFunction(previous); }
};

// Runs script inside the dialog's modal loop once the dialog is on screen
// (keys sent before are lost), as a user acting on it; a dialog the script
// leaves open is a test failure and ends with wxID_ABORT, so a failed step
// never hangs the run.
inline void ScriptModalLoop(wxDialog& dialog, std::function<void()> script)
{
    MarkScripted(dialog);
    dialog.CallAfter([&dialog, script] {
        // A guard only: a busy machine may take seconds to show it.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!dialog.IsShownOnScreen() && std::chrono::steady_clock::now() < end)
        {
            wxYield();
            wxMilliSleep(2);
        }
        if (script)
            script();
        if (dialog.IsModal())
        {
            ADD_FAILURE() << "the script left the dialog \"" << dialog.GetTitle().utf8_str() << "\" open";
            dialog.EndModal(wxID_ABORT);
        }
        // The script ran in an idle pass, which the toolkit repeats while no
        // native event waits: one lets the modal loop see that it has ended.
        wxWakeUpIdle();
    });
}

// Scripts every modal dialog of class T shown while it lives (ScriptModalLoop).
template <typename T = wxDialog>
struct DialogScript : wxModalDialogHook
{
    explicit DialogScript(std::function<void(T&)> run = {}) : script(std::move(run)) { Register(); }
    ~DialogScript() override { Unregister(); }
    std::function<void(T&)> script;
    std::vector<wxString> titles; // of the dialogs shown, in order
    wxWindow* parent = nullptr;   // of the last one

    int Enter(wxDialog* dialog) override
    {
        // A file dialog enters twice, through its own ShowModal and its base's.
        if (dialog == m_inside)
            return wxID_NONE;
        if (T* shown = dynamic_cast<T*>(dialog))
        {
            m_inside = dialog;
            titles.push_back(dialog->GetTitle());
            parent = dialog->GetParent();
            ScriptModalLoop(*dialog, [this, shown] {
                if (script)
                    script(*shown);
            });
        }
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override
    {
        if (dialog == m_inside)
            m_inside = nullptr;
    }

private:
    wxDialog* m_inside = nullptr;
};

// Shows the dialog modally with script(dialog) inside its loop
// (ScriptModalLoop); what ShowModal answered.
template <typename Dialog, typename Script>
int RunModal(Dialog& dialog, Script script)
{
    ScriptModalLoop(dialog, [&dialog, script] { script(dialog); });
    return dialog.ShowModal();
}

// A click on the button with this id inside parent, as the toolkit sends it;
// a test failure (and no click) when a user could not click it: missing,
// disabled or hidden.
inline void ClickButton(wxWindow& parent, int id)
{
    wxWindow* button = parent.FindWindow(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    ASSERT_TRUE(button->IsEnabled()) << "button " << id << " is disabled";
    ASSERT_TRUE(button->IsShown()) << "button " << id << " is hidden";
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}
