#include <gtest/gtest.h>

#include "midi/MIDIIO.h"

namespace
{
using Lines = std::array<std::string, 4>;
}

TEST(FormatMessage, EveryKindOfMessage)
{
    EXPECT_EQ(MIDIIO::FormatMessage(0x80, 60, 0), (Lines{"Note off", "Channel: 1", "Note: 60", "Velocity: 0"}));
    EXPECT_EQ(MIDIIO::FormatMessage(0x9F, 61, 127),
              (Lines{"Note on", "Channel: 16", "Note: 61", "Velocity: 127"}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xB1, 7, 100), (Lines{"CC", "Channel: 2", "CC#: 7", "Value: 100"}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xC5, 10, 0), (Lines{"Prog. Change", "Channel: 6", "Data 1: A", ""}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xC0, 127, 0), (Lines{"Prog. Change", "Channel: 1", "Data 1: 7F", ""}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xD3, 90, 0), (Lines{"Aftertouch", "Channel: 4", "Value: 90", ""}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xE0, 5, 64), (Lines{"Pitchbend", "Channel: 1", "Value: 64", ""}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xF8, 0x1B, 0x2C), (Lines{"SysEx", "", "Data 1: 1B", "Data 2: 2C"}));
    EXPECT_EQ(MIDIIO::FormatMessage(0xA2, 60, 33), (Lines{"Type: A0", "Channel: 3", "Data 1: 60", "Data 2: 33"}));
}
