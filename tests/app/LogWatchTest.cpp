// The log watch in front of the active log target, without a display.
#include <gtest/gtest.h>

#include <wx/log.h>

#include "app/LogWatch.h"

namespace
{
// Keeps the texts it gets and counts its flushes.
class KeptLog : public wxLog
{
public:
    std::vector<wxString> texts;
    int flushes = 0;
    void Flush() override { ++flushes; }

protected:
    void DoLogRecord(wxLogLevel, const wxString& text, const wxLogRecordInfo&) override { texts.push_back(text); }
};
} // namespace

// The idle pass flushes only after something was logged; a record reaches the target behind the watch as
// before, and a flush too. Once another target takes the watch's place, every pass flushes again. At exit
// the target behind is active again, for its maker to delete, unless another stands in front.
TEST(LogWatch, SaysWhetherSomethingWasLoggedAndPassesEverythingOn)
{
    auto* kept = new KeptLog;
    delete wxLog::SetActiveTarget(kept);
    LogWatch::Install();
    LogWatch::Install(); // once while it is there
    EXPECT_FALSE(LogWatch::TakeLogged());
    wxLogWarning("A settings panel is left out: %s", "Pot");
    EXPECT_TRUE(LogWatch::TakeLogged());
    EXPECT_FALSE(LogWatch::TakeLogged()) << "taken";
    const int flushes = kept->flushes;
    wxLog::FlushActive();
    EXPECT_EQ(kept->texts, std::vector<wxString>{"A settings panel is left out: Pot"});
    EXPECT_EQ(kept->flushes, flushes + 1);

    KeptLog other;
    wxLog* watch = wxLog::SetActiveTarget(&other);
    EXPECT_TRUE(LogWatch::TakeLogged()) << "not the active target: unknown";
    LogWatch::Uninstall();
    EXPECT_EQ(wxLog::GetActiveTarget(), &other);
    wxLog::SetActiveTarget(watch);
    EXPECT_FALSE(LogWatch::TakeLogged());
    LogWatch::Uninstall();
    EXPECT_EQ(wxLog::GetActiveTarget(), kept);
    EXPECT_TRUE(LogWatch::TakeLogged()) << "gone";
    delete wxLog::SetActiveTarget(nullptr);
}
