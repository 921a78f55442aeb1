#include "model/ShortenName.h"

#include <gtest/gtest.h>

#include "model/AbbreviationMap.h"
#include "model/EditorHost.h"
#include "model/WordList.h"
#include "tests/model/ModelTestSupport.h"

TEST(ShortenName, EachRuleInTurn)
{
    AbbreviationMap map;
    FillStandardAbbreviations(map);
    const struct { const char* name; int limit, mode; const char* shortened; } cases[] = {
        // Names that fit, or a negative limit, are left alone.
        {"Short", 8, 0, "Short"},
        {"Exactly8", 8, 0, "Exactly8"},
        {"Filter Cutoff", 16, 1, "Filter Cutoff"},
        {"A name far longer than any limit", -1, 0, "A name far longer than any limit"},
        // Dictionary words abbreviate and the last dot is dropped.
        {"Filter Cutoff", 8, 0, "Flt.Cut"},
        {"Filter Cutoff", 8, 1, "FltCut"},
        // Unknown words lose their inner lower-case vowels.
        {"Keyboard", 6, 0, "Kybrd"},
        {"Output Gain Left Channel", 16, 1, "OtptGnLftChannel"},
        // Numbers join the word before; a number after a number stays a word of its own.
        {"Osc 2 Level", 8, 0, "Osc2 Lvl"},
        {"Osc 1 2", 5, 0, "Osc12"},
        {"Pan   -5", 5, 0, "Pan-5"},
        {"1 2 3", 3, 0, "1 2"},
        // Words fall back to initials from the first; mode 1 capitalises every word (FX becomes Fx).
        {"Oscillator 1 Frequency Modulation", 8, 0, "O1.F.Mod"},
        {"Oscillator 1 Frequency Modulation", 8, 1, "O1FMod"},
        {"Effect Send Level", 8, 1, "FxSndLvl"},
        // A last word that cannot shrink is cut.
        {"Abcdefghijklmnop", 4, 0, "Abcd"},
        {"Oscillator12", 4, 0, "O12."},
        {"          ", 4, 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(ShortenName(c.name, map, c.limit, c.mode)), c.shortened) << c.name << " " << c.limit;

    std::string words;
    for (const char* word : {"FILTER", "Effect", "Queue", "KEYBOARD", "ab"})
        words += ShortenName::AbbreviateWord(word, map) + " ";
    for (const char* word : {"X", "Level", "Osc12b3", "11"})
        words += ShortenName::InitialAndDigits(word) + " ";
    EXPECT_EQ(words, "Flt. FX Qe KEYBOARD ab X L. O123. 11. ");
}

TEST(AbbreviationMap, StandardPairsAndTheWordList)
{
    AbbreviationMap map;
    FillStandardAbbreviations(map);
    EXPECT_EQ("34 amplifier mono volume  Metro Tmb Dst.", Join(map.Size(), map.KeyAt(0), map.KeyAt(18), map.KeyAt(33),
                                                         map.KeyAt(34), *map.Find("metronome"), *map.Find("timbre"),
                                                         *map.Find("destination")));
    EXPECT_EQ(nullptr, map.Find("Filter"));
    map.Add("Filter", "F"); // the first entry of a word stays
    map.Add("Keyboard", "Kbd");
    EXPECT_EQ("35 Flt. Kbd", Join(map.Size(), *map.Find("filter"), *map.Find("keyboard")));
    EXPECT_EQ("34 amplifier", Join(Host().Abbreviations().Size(), Host().Words().Words().front()));

    // Words of three letters or more; a word again in other case moves to the end in its latest form.
    WordList list;
    for (const char* word : {"ab", "   ", "Filter", "Cutoff   ", "filter"})
        list.AddWord(word);
    list.AddName("Osc Level 2");
    EXPECT_EQ((std::vector<std::string>{"Cutoff", "filter", "Osc Level 2", "Osc", "Level"}), list.Words());
    // Completions newest first, keeping what was typed.
    list.AddDictionary(map);
    list.AddWord("FILTERBANK");
    EXPECT_EQ((std::vector<std::string>{"FilTERBANK", "Filter"}), list.Completions("Fil"));
    EXPECT_EQ((std::vector<std::string>{"mono", "monitor"}), list.Completions("mon"));
    EXPECT_EQ((std::vector<std::string>{"filterBANK"}), list.Completions("filter")); // longer words only
    EXPECT_TRUE(list.Completions("").empty() && list.Completions("xyz").empty());
}
