#include <gtest/gtest.h>

#include "midi/PortNames.h"

TEST(PortNames, SequencerAddressIsStripped)
{
    EXPECT_EQ(PortNames::StripAddress("USB MIDI Keys:USB MIDI Keys MIDI 1 24:0"), "USB MIDI Keys:USB MIDI Keys MIDI 1");
    EXPECT_EQ(PortNames::StripAddress("Midi Through:Midi Through Port-0 14:0"), "Midi Through:Midi Through Port-0");
    EXPECT_EQ(PortNames::StripAddress("unit:out"), "unit:out");
    EXPECT_EQ(PortNames::StripAddress("Synth 2"), "Synth 2");
    EXPECT_EQ(PortNames::StripAddress("Synth 2:"), "Synth 2:");
    EXPECT_EQ(PortNames::StripAddress("Synth :1"), "Synth :1");
    EXPECT_EQ(PortNames::StripAddress(""), "");
}

TEST(PortNames, OwnPortsAreRecognised)
{
    EXPECT_TRUE(PortNames::IsOwnPort("Dorva Editor:Dorva Editor Input", "Dorva Editor"));
    EXPECT_TRUE(PortNames::IsOwnPort("Dorva Editor-01:Dorva Editor Output", "Dorva Editor"));
    EXPECT_TRUE(PortNames::IsOwnPort("Dorva Editor:Dorva Editor Input 130:0", "Dorva Editor"));
    EXPECT_FALSE(PortNames::IsOwnPort("Dorva Editor Pro:in", "Dorva Editor"));
    EXPECT_FALSE(PortNames::IsOwnPort("Dorva Editor-x:in", "Dorva Editor"));
    EXPECT_FALSE(PortNames::IsOwnPort("Dorva Editor", "Dorva Editor"));
    EXPECT_FALSE(PortNames::IsOwnPort("unit:Dorva Editor", "Dorva Editor"));
}
