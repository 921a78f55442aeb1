#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Command.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/SysExBuffer.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"

// Kept in a namespace of their own: other test files have fakes of the same names.
namespace TemplateTest
{

// A main window that writes down what the data layer asked of it.
class RecordingWindow : public IEditorWindow
{
public:
    void UpdateEditMenu(bool canUndo, bool canRedo) override
    {
        ++editMenuUpdates;
        lastCanUndo = canUndo;
        lastCanRedo = canRedo;
    }
    void UpdateTitle() override { ++titleUpdates; }
    void SetFocusToMainWindow() override { ++focusRequests; }
    void HideControlSettings() override { ++settingsHidden; }

    int editMenuUpdates = 0;
    bool lastCanUndo = false;
    bool lastCanRedo = false;
    int titleUpdates = 0;
    int focusRequests = 0;
    int settingsHidden = 0;
};

// A DorvaSynth host that keeps every message it was asked to show.
class RecordingHost : public IEditorHost
{
public:
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string& text, int /*style*/) override
    {
        messages.push_back(text);
        return MessageAnswer::Ok;
    }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override {}
    bool SendErrorsHome() const override { return false; }
    IEditorWindow* Window() override { return withWindow ? &window : nullptr; }

    CDorvaSynthAnswers answers;
    RecordingWindow window;
    bool withWindow = true;
    std::vector<std::string> messages;
};

// A command that logs its calls into a shared journal.
class LoggingCommand : public ICommand
{
public:
    LoggingCommand(std::string name, std::vector<std::string>& journal, bool keepSettings = true)
        : m_name(std::move(name)), m_journal(journal), m_keepSettings(keepSettings)
    {
    }
    ~LoggingCommand() override { m_journal.push_back("delete " + m_name); }
    void Execute() override { m_journal.push_back("execute " + m_name); }
    void Undo() override { m_journal.push_back("undo " + m_name); }
    bool UpdateView(bool afterUndo) override
    {
        m_journal.push_back((afterUndo ? "view-undo " : "view ") + m_name);
        return m_keepSettings;
    }
    std::string GetName() const override { return m_name; }

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
    bool m_keepSettings;
};

// Offsets in the DorvaSynth dump.
namespace DumpOffsets
{
constexpr size_t kLocals = 13;
constexpr size_t kGap = 50;
constexpr size_t kGapSize = 135;
constexpr size_t kRecords = 185;
constexpr size_t kRecordSize = 30;
constexpr size_t kTrailing = 1805;

// Offset of the record of a panel index (44-49 travel as 44, 45, 46, 48, 47, 49).
inline size_t Record(int index)
{
    static const int kSlot[] = {44, 45, 46, 48, 47, 49, 50};
    const int slot = index < 44 ? index : kSlot[index - 44];
    return kRecords + static_cast<size_t>(slot) * kRecordSize;
}
// The three controls without a panel index.
inline size_t Unindexed(int i)
{
    return kRecords + static_cast<size_t>(51 + i) * kRecordSize;
}
} // namespace DumpOffsets

// Reads a whole dump into the template from its start.
inline bool ReadInto(CEditorTemplate& t, const SysExBuffer& dump)
{
    size_t position = 0;
    return t.Read(dump, position);
}
} // namespace TemplateTest
