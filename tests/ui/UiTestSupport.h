#pragma once

#include <string>
#include <vector>

#include <wx/log.h>

// Keeps every message the toolkit logs, with its level, instead of a log
// window that would wait for the user; the tests read and clear the list.
// Fixtures install it as the active log target (once; later calls keep it).
class LogRecorder : public wxLog
{
public:
    struct Entry
    {
        wxLogLevel level;
        wxString text;
    };

    static void Install()
    {
        if (dynamic_cast<LogRecorder*>(wxLog::GetActiveTarget()) == nullptr)
            delete wxLog::SetActiveTarget(new LogRecorder);
    }
    static std::vector<Entry>& Entries()
    {
        static std::vector<Entry> entries;
        return entries;
    }
    // The errors and warnings logged since the last clear, one per line.
    static std::string Problems()
    {
        std::string problems;
        for (const Entry& entry : Entries())
            if (entry.level <= wxLOG_Warning)
                problems += std::string(entry.text.utf8_str()) + "\n";
        return problems;
    }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        Entries().push_back({level, msg});
    }
};
