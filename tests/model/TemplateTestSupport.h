#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Command.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/SysExBuffer.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/model/RecordingWindow.h"

// Kept in a namespace of their own: other test files have fakes of the same names.
namespace TemplateTest
{

using ::RecordingHost;
using ::RecordingWindow;

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
