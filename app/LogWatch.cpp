#include "app/LogWatch.h"

#include <utility>

namespace
{
LogWatch* g_watch = nullptr;
} // namespace

void LogWatch::Install()
{
    if (g_watch)
        return;
    // GetActiveTarget makes the toolkit's own target when there is none yet.
    wxLog* next = wxLog::GetActiveTarget();
    g_watch = new LogWatch(next);
    wxLog::SetActiveTarget(g_watch);
}

void LogWatch::Uninstall()
{
    if (!g_watch || wxLog::GetActiveTarget() != g_watch)
        return;
    wxLog::SetActiveTarget(g_watch->m_next);
    delete g_watch;
}

bool LogWatch::TakeLogged()
{
    if (!g_watch || wxLog::GetActiveTarget() != g_watch)
        return true;
    return std::exchange(g_watch->m_logged, false);
}

LogWatch::~LogWatch()
{
    if (g_watch == this)
        g_watch = nullptr;
}

void LogWatch::Flush()
{
    if (m_next)
        m_next->Flush();
}

void LogWatch::DoLogRecord(wxLogLevel level, const wxString& text, const wxLogRecordInfo& info)
{
    m_logged = true;
    if (m_next)
        m_next->LogRecord(level, text, info);
}
