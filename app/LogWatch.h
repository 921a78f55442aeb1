#pragma once

#include <wx/log.h>

// Stands in front of the active log target and passes every record on to
// it, noting that something was logged: the idle pass, which no toolkit
// event surrounds, shows what it logged by flushing, and flushes only then.
// GUI thread only.
class LogWatch : public wxLog
{
public:
    // While there is no watch: the watch becomes the active target in front
    // of the one active now, which it never deletes (the toolkit deletes only
    // the active one, and a target put in front later may still pass records
    // on).
    static void Install();
    // At exit: while the watch is the active target, the target behind it
    // becomes active again and the watch goes, so that whoever made that
    // target can take it down in turn before the toolkit deletes the active
    // one. With another target in front, nothing changes.
    static void Uninstall();
    // True when a record came through since the last call, and whenever the
    // watch is not the active target (another was put in its place): then
    // nothing can be known and the caller flushes as it always did.
    static bool TakeLogged();

    void Flush() override;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& text, const wxLogRecordInfo& info) override;

private:
    explicit LogWatch(wxLog* next) : m_next(next) {}
    ~LogWatch() override;

    wxLog* m_next;
    bool m_logged = false;
};
