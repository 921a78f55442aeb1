#pragma once

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <wx/event.h>
#include <wx/string.h>
#include <wx/window.h>

#include "app/DialogHooks.h"

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
