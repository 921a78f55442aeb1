#pragma once

#include <string>

#include "tests/model/TempFolder.h"

// A program folder of the test's own: the built program linked in beside a
// copy of what ships with it, so a test can take a file away or spoil it
// (the program finds its resources beside its own file).
class ProgramFolder
{
public:
    ProgramFolder();

    // The program file to start.
    std::string Program() const;
    // A path inside the folder, e.g. "images/Font.png".
    std::string File(const std::string& relative) const { return m_folder.File(relative); }
    const std::string& Path() const { return m_folder.Path(); }
    void Remove(const std::string& relative);
    void Write(const std::string& relative, const std::string& content);

private:
    TempFolder m_folder;
};
