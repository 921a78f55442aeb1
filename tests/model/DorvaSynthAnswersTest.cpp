#include <gtest/gtest.h>

#include "model/EditorHost.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"

namespace
{
std::vector<int> AcceptedTypes(int index)
{
    std::vector<int> types;
    for (int t = -1; t <= 14; ++t)
        if (Device().CanAssignMessageType(index, t))
            types.push_back(t);
    return types;
}
} // namespace

TEST(DorvaSynthAnswers, MessageTypesPerIndex)
{
    using V = std::vector<int>;
    EXPECT_EQ(AcceptedTypes(44), (V{0, 1, 2, 3, 10, 12})); // first wheel
    EXPECT_EQ(AcceptedTypes(45), (V{0, 1, 2, 3, 12}));     // second wheel: no pitch bend
    for (int pad = 46; pad <= 49; ++pad)
        EXPECT_EQ(AcceptedTypes(pad), (V{0, 1, 2, 3, 10, 12})) << pad;
    EXPECT_EQ(AcceptedTypes(0), (V{0, 1, 2, 3, 12}));       // a knob
    EXPECT_EQ(AcceptedTypes(22), (V{0, 1, 2, 3, 5, 6, 9})); // a button
    EXPECT_EQ(AcceptedTypes(51), (V{0, 1, 2, 3, 5, 6, 9})); // neither: the button column
}

TEST(DorvaSynthAnswers, IndexKinds)
{
    const IDeviceAnswers& d = Device();
    std::string kinds;
    for (int index : {21, 22, 43, 44, 50, 51})
        kinds += std::to_string(d.IsButtonIndex(index)) + std::to_string(d.IsContinuousIndex(index)) + " ";
    EXPECT_EQ(kinds, "01 10 10 01 10 00 ");
    EXPECT_FALSE(d.HasPickupStrategy(45) || d.HasSnapshotPanel(47));
    EXPECT_TRUE(d.HasSnapshotPanel(3));
}

TEST(DorvaSynthAnswers, SupportedTypes)
{
    std::vector<int> supported;
    for (int t = -2; t <= 20; ++t)
        if (Device().IsMessageTypeSupported(t))
            supported.push_back(t);
    EXPECT_EQ(supported, (std::vector<int>{0, 1, 2, 3, 5, 6, 9, 10, 12}));
}

TEST(DorvaSynthAnswers, NamesAndTexts)
{
    const IDeviceAnswers& d = Device();
    EXPECT_EQ(d.GetAppTitle(), "Dorva Editor");
    EXPECT_EQ(d.GetProductName(), "Dorva");
    EXPECT_EQ(d.GetRequiredOSVersion().Format(), "2.1.06");
    EXPECT_EQ(d.GetAppKey(), "DorvaSynthEditor");
    EXPECT_EQ(d.GetOSUpdateInstructions(),
              "If the Dorva is connected via USB, from the global menu of the Dorva select and follow the "
              "prompt:\n\n\t\"New OS from USB\n\tPress Write...\"\n\nThe screen should now show:\n\n"
              "\t\"Waiting for O/S update from USB\"\n\nClick the OK button to send the new OS from the "
              "editor to the Dorva.");
}

TEST(DorvaSynthAnswers, LabelsAndViewType)
{
    const IDeviceAnswers& d = Device();
    EXPECT_EQ(d.GetMidiPort1Label() + "|" + d.GetMidiPort2Label() + "|" + d.GetUsbPortLabel() + "|" +
                  d.GetUsbPortBLabel() + "|" + d.GetUsbPortCLabel() + "|" + d.GetUsbMidiDeviceName(),
              "MIDI Port||USB Port|||USB Audio Device");
    int viewType = 1;
    d.ApplyDefaultViewType(viewType);
    EXPECT_EQ(viewType, 3);
    viewType = 2;
    d.IDeviceAnswers::ApplyDefaultViewType(viewType); // a device that leaves it to the user
    EXPECT_EQ(viewType, 2);
}
