#include "model/ShortenName.h"

#include <gtest/gtest.h>

#include "model/AbbreviationMap.h"
#include "model/EditorHost.h"
#include "model/WordList.h"

namespace
{
class ShortenNameTest : public ::testing::Test
{
protected:
    ShortenNameTest() { FillStandardAbbreviations(m_map); }
    std::string Shorten(const std::string& name, int limit, int mode = 0) const
    {
        return ShortenName(name, m_map, limit, mode);
    }
    AbbreviationMap m_map;
};
} // namespace

TEST_F(ShortenNameTest, NamesThatFitOrANegativeLimitAreUnchanged)
{
    EXPECT_EQ("Short", Shorten("Short", 8));
    EXPECT_EQ("Exactly8", Shorten("Exactly8", 8));
    EXPECT_EQ("Filter Cutoff", Shorten("Filter Cutoff", 16, 1));
    EXPECT_EQ("A name far longer than any limit", Shorten("A name far longer than any limit", -1));
}

TEST_F(ShortenNameTest, DictionaryWordsAbbreviateAndTheLastDotIsDropped)
{
    EXPECT_EQ("Flt.Cut", Shorten("Filter Cutoff", 8));
    EXPECT_EQ("FltCut", Shorten("Filter Cutoff", 8, 1));
}

TEST_F(ShortenNameTest, UnknownWordsLoseTheirInnerLowerCaseVowels)
{
    EXPECT_EQ("Kybrd", Shorten("Keyboard", 6));
    EXPECT_EQ("OtptGnLftChannel", Shorten("Output Gain Left Channel", 16, 1));
}

TEST_F(ShortenNameTest, NumbersJoinTheWordBefore)
{
    EXPECT_EQ("Osc2 Lvl", Shorten("Osc 2 Level", 8));
    EXPECT_EQ("Osc12", Shorten("Osc 1 2", 5));
    EXPECT_EQ("Pan-5", Shorten("Pan   -5", 5));
    // A number after a number stays a word of its own.
    EXPECT_EQ("1 2", Shorten("1 2 3", 3));
}

TEST_F(ShortenNameTest, WordsFallBackToInitialsFromTheFirst)
{
    EXPECT_EQ("O1.F.Mod", Shorten("Oscillator 1 Frequency Modulation", 8));
    EXPECT_EQ("O1FMod", Shorten("Oscillator 1 Frequency Modulation", 8, 1));
    // Mode 1 writes every word capitalised, so the dictionary's FX becomes Fx.
    EXPECT_EQ("FxSndLvl", Shorten("Effect Send Level", 8, 1));
}

TEST_F(ShortenNameTest, ALastWordThatCannotShrinkIsCut)
{
    EXPECT_EQ("Abcd", Shorten("Abcdefghijklmnop", 4));
    EXPECT_EQ("O12.", Shorten("Oscillator12", 4));
    EXPECT_EQ("", Shorten("          ", 4));
}

TEST_F(ShortenNameTest, AbbreviateWordAndInitialAndDigits)
{
    EXPECT_EQ("Flt.", ShortenName::AbbreviateWord("FILTER", m_map));
    EXPECT_EQ("FX", ShortenName::AbbreviateWord("Effect", m_map));
    EXPECT_EQ("Qe", ShortenName::AbbreviateWord("Queue", m_map));
    EXPECT_EQ("KEYBOARD", ShortenName::AbbreviateWord("KEYBOARD", m_map));
    EXPECT_EQ("ab", ShortenName::AbbreviateWord("ab", m_map));

    EXPECT_EQ("X", ShortenName::InitialAndDigits("X"));
    EXPECT_EQ("L.", ShortenName::InitialAndDigits("Level"));
    EXPECT_EQ("O123.", ShortenName::InitialAndDigits("Osc12b3"));
    EXPECT_EQ("11.", ShortenName::InitialAndDigits("11"));
}

TEST(AbbreviationMap, StandardPairsInWordOrder)
{
    AbbreviationMap map;
    FillStandardAbbreviations(map);
    ASSERT_EQ(34u, map.Size());
    EXPECT_EQ("amplifier", map.KeyAt(0));
    EXPECT_EQ("monitor", map.KeyAt(17));
    EXPECT_EQ("mono", map.KeyAt(18));
    EXPECT_EQ("volume", map.KeyAt(33));
    EXPECT_EQ("", map.KeyAt(34));
    ASSERT_NE(nullptr, map.Find("metronome"));
    EXPECT_EQ("Metro", *map.Find("metronome"));
    EXPECT_EQ("Tmb", *map.Find("timbre"));
    EXPECT_EQ("Dst.", *map.Find("destination"));
    EXPECT_EQ(nullptr, map.Find("Filter"));

    map.Add("Filter", "F");
    EXPECT_EQ(34u, map.Size());
    EXPECT_EQ("Flt.", *map.Find("filter"));
    map.Add("Keyboard", "Kbd");
    EXPECT_EQ("Kbd", *map.Find("keyboard"));
}

TEST(WordList, ShortWordsAreIgnoredAndCaseDuplicatesKeepTheLatestForm)
{
    WordList list;
    list.AddWord("ab");
    list.AddWord("   ");
    list.AddWord("Filter");
    list.AddWord("Cutoff   ");
    list.AddWord("filter");
    EXPECT_EQ((std::vector<std::string>{"Cutoff", "filter"}), list.Words());
}

TEST(WordList, NamesAddThemselvesAndTheirWords)
{
    WordList list;
    list.AddName("Osc Level 2");
    list.AddName("Volume");
    EXPECT_EQ((std::vector<std::string>{"Osc Level 2", "Osc", "Level", "Volume"}), list.Words());
}

TEST(WordList, CompletionsNewestFirstKeepingTheTypedCase)
{
    WordList list;
    AbbreviationMap map;
    FillStandardAbbreviations(map);
    list.AddDictionary(map);
    EXPECT_EQ((std::vector<std::string>{"Filter"}), list.Completions("Fil"));
    list.AddWord("FILTERBANK");
    EXPECT_EQ((std::vector<std::string>{"FilTERBANK", "Filter"}), list.Completions("Fil"));
    EXPECT_EQ((std::vector<std::string>{"filterBANK"}), list.Completions("filter"));
    EXPECT_EQ((std::vector<std::string>{"mono", "monitor"}), list.Completions("mon"));
    EXPECT_TRUE(list.Completions("").empty());
    EXPECT_TRUE(list.Completions("xyz").empty());
}

TEST(EditorHostNames, DefaultHostHoldsTheFilledDictionaryAndWordList)
{
    EXPECT_EQ(34u, Host().Abbreviations().Size());
    const std::vector<std::string>& words = Host().Words().Words();
    ASSERT_GE(words.size(), 34u);
    EXPECT_EQ("amplifier", words.front());
}
