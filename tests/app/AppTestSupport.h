#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"

// The application object of the GUI tests (made by AppTestMain.cpp).
class TestEditorApp : public CEditorApp
{
public:
    TestEditorApp();
    bool OnInit() override { return true; }
    // A fresh run as far as the device-lost notices go.
    void ForgetDeviceLostNotice() { m_inputLostShown = false; }
};

TestEditorApp& TestApp();

// Records every message box instead of showing it, and answers with a
// chosen button; restores the previous box function when it goes.
class MessageRecorder
{
public:
    struct Box
    {
        wxString text;
        wxString caption;
        long style;
        wxWindow* parent;
    };

    explicit MessageRecorder(int answer = wxOK)
        : m_answer(answer),
          m_previous(SetMessageBoxFunction(
              [this](const wxString& text, const wxString& caption, long style, wxWindow* parent) {
                  boxes.push_back({text, caption, style, parent});
                  if (whileShowing)
                      whileShowing();
                  return m_answer;
              }))
    {
    }
    ~MessageRecorder() { SetMessageBoxFunction(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Box> boxes;
    // Runs inside each box, as the toolkit's idle passes do.
    std::function<void()> whileShowing;

private:
    int m_answer;
    MessageBoxFunction m_previous;
};
