#include "tests/ui/UiTestSupport.h"

void LogRecorder::Install()
{
    if (dynamic_cast<LogRecorder*>(wxLog::GetActiveTarget()) == nullptr)
        delete wxLog::SetActiveTarget(new LogRecorder);
}

std::vector<LogRecorder::Entry>& LogRecorder::Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

std::string LogRecorder::Problems()
{
    std::string problems;
    for (const Entry& entry : Entries())
        if (entry.level <= wxLOG_Warning)
            problems += std::string(entry.text.utf8_str()) + "\n";
    return problems;
}

void LogRecorder::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&)
{
    Entries().push_back({level, msg});
}
