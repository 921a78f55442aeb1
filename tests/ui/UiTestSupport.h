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

    static void Install();
    static std::vector<Entry>& Entries();
    // The errors and warnings logged since the last clear, one per line.
    static std::string Problems();

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;
};
