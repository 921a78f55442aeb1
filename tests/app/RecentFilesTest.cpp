#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecentFiles.h"

namespace
{
std::vector<std::string> Entries(const RecentFiles& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < RecentFiles::kSize; ++i)
        entries.push_back(list.Get(i));
    return entries;
}

RecentFiles Full()
{
    RecentFiles list;
    for (int i = 8; i >= 1; --i)
        list.Add("/t/" + std::to_string(i) + ".syx");
    return list;
}

using V = std::vector<std::string>;
} // namespace

TEST(RecentFiles, NewestFirst)
{
    RecentFiles list;
    EXPECT_EQ(list.Count(), 0);
    list.Add("/t/a.syx");
    list.Add("/t/b.syx");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(Entries(list), (V{"/t/b.syx", "/t/a.syx", "", "", "", "", "", ""}));
}

TEST(RecentFiles, AddingAPresentPathMovesItUpAndLosesNothing)
{
    RecentFiles list = Full();
    list.Add("/t/5.syx");
    EXPECT_EQ(Entries(list), (V{"/t/5.syx", "/t/1.syx", "/t/2.syx", "/t/3.syx", "/t/4.syx",
                                "/t/6.syx", "/t/7.syx", "/t/8.syx"}));
    // Case matters: another file on this system.
    list.Add("/t/5.SYX");
    EXPECT_EQ(list.Get(0), "/t/5.SYX");
    EXPECT_EQ(list.Get(1), "/t/5.syx");
    EXPECT_EQ(list.Get(7), "/t/7.syx");
}

TEST(RecentFiles, AddingToAFullListDropsTheOldest)
{
    RecentFiles list = Full();
    EXPECT_EQ(list.Count(), 8);
    list.Add("/t/new.syx");
    EXPECT_EQ(Entries(list), (V{"/t/new.syx", "/t/1.syx", "/t/2.syx", "/t/3.syx", "/t/4.syx",
                                "/t/5.syx", "/t/6.syx", "/t/7.syx"}));
    EXPECT_EQ(list.Count(), 8);
}

TEST(RecentFiles, Remove)
{
    RecentFiles list = Full();
    EXPECT_TRUE(list.Remove("/t/3.syx"));
    EXPECT_EQ(Entries(list), (V{"/t/1.syx", "/t/2.syx", "/t/4.syx", "/t/5.syx", "/t/6.syx",
                                "/t/7.syx", "/t/8.syx", ""}));
    EXPECT_FALSE(list.Remove("/t/3.syx"));
    EXPECT_FALSE(list.Remove(""));
    EXPECT_EQ(list.Count(), 7);

    RecentFiles single;
    single.Add("/t/only.syx");
    EXPECT_TRUE(single.Remove("/t/only.syx"));
    EXPECT_EQ(single.Count(), 0);
    EXPECT_EQ(Entries(single), V(8, ""));
}

TEST(RecentFiles, CountStopsAtTheFirstFreeEntry)
{
    // Only hand-edited stored values leave a gap.
    RecentFiles list;
    list.Set(0, "/t/a.syx");
    list.Set(2, "/t/c.syx");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(2), "/t/c.syx");
}

TEST(RecentFiles, ClearAndOddArguments)
{
    RecentFiles list = Full();
    list.Add("");
    EXPECT_EQ(list.Get(0), "/t/1.syx") << "an empty path is not a file";
    EXPECT_EQ(list.Get(-1), "");
    EXPECT_EQ(list.Get(8), "");
    list.Set(8, "/t/x.syx");
    EXPECT_EQ(list.Get(7), "/t/8.syx");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(Entries(list), V(8, ""));
}
