#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

#include "tests/model/TempFolder.h"

// The editor program itself, started as a user starts it: from a program
// folder of its own that holds the built binary (hard-linked) and a copy of
// what ships beside it, so a test can take files away or spoil them, with
// its preferences in a configuration folder of its own. It inherits the
// test's display unless told otherwise. What it writes to stderr is
// collected. A program still running at the end is killed.
class EditorProcess
{
public:
    EditorProcess();
    ~EditorProcess();
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;

    // A path inside the program folder, e.g. "images/Font.png".
    std::string File(const std::string& relative) const;
    void Remove(const std::string& relative);
    void Write(const std::string& relative, const std::string& content);
    // The preferences file's text (wxFileConfig form), e.g. "StartupAction=1\n".
    void WritePreferences(const std::string& text);

    // Starts the program with these arguments, without DISPLAY when display
    // is false.
    void Start(const std::vector<std::string>& arguments = {}, bool display = true);
    // How the program ended: its exit code, or the signal that ended it.
    struct Ending
    {
        int exitCode = -1;
        int signal = 0;
    };
    // Waits until the program has ended: true, with how; false when it still
    // runs at the deadline.
    bool WaitForExit(Ending& ending, std::chrono::milliseconds deadline = std::chrono::seconds(20));
    // Waits until stderr holds text: false when the program ended or the
    // deadline passed first.
    bool WaitForError(const std::string& text, std::chrono::milliseconds deadline = std::chrono::seconds(20));
    bool IsRunning();
    // What the program has written to stderr so far.
    const std::string& Errors() const { return m_errors; }

private:
    // Reads what stderr has for up to the given time; false at its end.
    bool ReadErrors(std::chrono::milliseconds wait);
    void Stop();

    TempFolder m_folder;
    TempFolder m_config;
    pid_t m_pid = -1;
    int m_errorPipe = -1;
    bool m_exited = false;
    Ending m_ending;
    std::string m_errors;
};
