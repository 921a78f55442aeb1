#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecentFiles.h"

namespace
{
using V = std::vector<std::string>;

V Entries(const RecentFiles& list)
{
    V entries;
    for (int i = 0; i < RecentFiles::kSize; ++i)
        entries.push_back(list.Get(i));
    return entries;
}

RecentFiles Full() // 1.syx newest ... 8.syx oldest
{
    RecentFiles list;
    for (int i = 8; i >= 1; --i)
        list.Add(std::to_string(i) + ".syx");
    return list;
}
} // namespace

TEST(RecentFiles, AddMovesAPresentPathUpAndDropsTheOldestOnlyForANewOne)
{
    RecentFiles list = Full();
    list.Add("5.syx");
    EXPECT_EQ(Entries(list), (V{"5.syx", "1.syx", "2.syx", "3.syx", "4.syx", "6.syx", "7.syx", "8.syx"}));
    list.Add("5.SYX"); // another file here
    list.Add("new.syx");
    EXPECT_EQ(Entries(list), (V{"new.syx", "5.SYX", "5.syx", "1.syx", "2.syx", "3.syx", "4.syx", "6.syx"}));
    list.Add("");
    EXPECT_EQ(list.Get(0), "new.syx") << "an empty path is not a file";
    EXPECT_EQ(list.Count(), 8);
}

TEST(RecentFiles, RemoveKeepsTheListDenseAndCountStopsAtAGap)
{
    RecentFiles list = Full();
    EXPECT_TRUE(list.Remove("3.syx"));
    EXPECT_FALSE(list.Remove("3.syx"));
    EXPECT_FALSE(list.Remove(""));
    EXPECT_EQ(Entries(list), (V{"1.syx", "2.syx", "4.syx", "5.syx", "6.syx", "7.syx", "8.syx", ""}));
    list.Clear();
    list.Add("only.syx");
    EXPECT_TRUE(list.Remove("only.syx"));
    EXPECT_EQ(Entries(list), V(8, ""));
    EXPECT_EQ(list.Count(), 0);

    list.Set(0, "a.syx"); // a gap comes only from hand-edited stored values
    list.Set(2, "c.syx");
    list.Set(8, "ignored.syx");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(2), "c.syx");
    EXPECT_EQ(list.Get(8), "");
}
