#pragma once

#include <string>
#include <vector>

#include <wx/log.h>

// Keeps every message the toolkit logs, with its level; the tests read and
// clear the list. Installed once as the active log target by the test main.
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
