#include <gtest/gtest.h>

#include "MidiTestSupport.h"

using DeviceListTest = LoopbackTest;

TEST_F(DeviceListTest, InputsComeFirstThenOutputs)
{
    EXPECT_EQ(MIDIIO::GetDeviceCount(), 5);
    const std::vector<std::string> names = {"In A", "In B", "Out A", "Out B", "Out C", "", ""};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(MIDIIO::GetDeviceName(i), names[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(MIDIIO::GetDeviceName(-1), "");
    EXPECT_TRUE(MIDIIO::IsInputDevice(1));
    EXPECT_FALSE(MIDIIO::IsInputDevice(2));
    EXPECT_FALSE(MIDIIO::IsInputDevice(-1));
    EXPECT_TRUE(MIDIIO::IsOutputDevice(2));
    EXPECT_TRUE(MIDIIO::IsOutputDevice(9)) << "outputs have no upper bound";
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), -1);
    EXPECT_EQ(MIDIIO::GetSelectedOutputDevice(), -1);
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
}

TEST_F(DeviceListTest, SelectionByIndexOpensThePort)
{
    EXPECT_FALSE(MIDIIO::SelectOutputDevice(1)) << "entry 1 is an input";
    EXPECT_EQ(MIDIIO::GetSelectedOutputDevice(), -1);
    EXPECT_FALSE(MIDIIO::SelectInputDevice(3));

    EXPECT_TRUE(MIDIIO::SelectOutputDevice(4));
    EXPECT_TRUE(driver->IsOpen("Out C"));
    EXPECT_TRUE(MIDIIO::SelectInputDevice(1));
    EXPECT_TRUE(driver->IsOpen("In B"));
    // Reopening one port leaves the other alone.
    EXPECT_TRUE(MIDIIO::SelectOutputDevice(2));
    EXPECT_FALSE(driver->IsOpen("Out C"));
    EXPECT_TRUE(driver->IsOpen("Out A"));
    EXPECT_TRUE(driver->IsOpen("In B"));
    EXPECT_EQ(MIDIIO::GetSelectedOutputDevice(), 2);
}

TEST_F(DeviceListTest, SelectionByNameIsACaseSensitiveSubstring)
{
    MIDIIO::Shutdown();
    auto loopback = std::make_unique<LoopbackMidiDriver>(std::vector<std::string>{"MIDI In", "USB Keys", "usb pad"},
                                                         std::vector<std::string>{"USB Keys Out"});
    driver = loopback.get();
    MIDIIO::Init(false, std::move(loopback));
    EXPECT_TRUE(MIDIIO::SelectInputDeviceByName("USB"));
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 1);
    EXPECT_TRUE(MIDIIO::SelectInputDeviceByName("usb"));
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 2);
    EXPECT_FALSE(MIDIIO::SelectInputDeviceByName("Usb"));
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 2);
    EXPECT_FALSE(MIDIIO::SelectInputDeviceByName("Out")) << "an output's name does not select an input";
    EXPECT_TRUE(MIDIIO::SelectOutputDeviceByName(""));
    EXPECT_EQ(MIDIIO::GetSelectedOutputDevice(), 3);
    EXPECT_TRUE(MIDIIO::DeviceExists("Keys Out"));
    EXPECT_TRUE(MIDIIO::DeviceExists("pad"));
    EXPECT_FALSE(MIDIIO::DeviceExists("PAD"));
}

TEST_F(DeviceListTest, FirstOfAKindIsSelectedEvenWhenItDoesNotOpen)
{
    driver->SetOpenFails("In A", true);
    EXPECT_TRUE(MIDIIO::SelectFirstInputDevice());
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 0);
    EXPECT_FALSE(MIDIIO::HasInputPort());
    EXPECT_FALSE(MIDIIO::SelectInputDeviceByName("In A")) << "by name gives the open's result";
    EXPECT_TRUE(MIDIIO::SelectFirstOutputDevice());
    EXPECT_EQ(MIDIIO::GetSelectedOutputDevice(), 2);
    EXPECT_TRUE(MIDIIO::HasOutputPort());
}

TEST(DeviceListEmpty, NoDevicesAtAll)
{
    MIDIIO::Init(false, std::make_unique<LoopbackMidiDriver>());
    EXPECT_EQ(MIDIIO::GetDeviceCount(), 0);
    EXPECT_FALSE(MIDIIO::SelectFirstInputDevice());
    EXPECT_FALSE(MIDIIO::SelectFirstOutputDevice());
    EXPECT_FALSE(MIDIIO::DeviceExists(""));
    EXPECT_TRUE(MIDIIO::OnIdle());
    MIDIIO::Shutdown();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kNotStarted);
    EXPECT_EQ(MIDIIO::GetDeviceCount(), -1);
}

TEST_F(DeviceListTest, TheKindsKeepTheCountsMadeAtStart)
{
    // A device plugged in later is not listed and moves no entry to the
    // other kind: both lists stay as they were counted.
    driver->AddInput("In C");
    EXPECT_EQ(MIDIIO::GetDeviceCount(), 5);
    EXPECT_TRUE(MIDIIO::IsOutputDevice(2));
    EXPECT_EQ(MIDIIO::GetDeviceName(2), "Out A");
    EXPECT_TRUE(MIDIIO::SelectOutputDevice(4));
    EXPECT_TRUE(driver->IsOpen("Out C"));

    // A vanished device shifts the names that follow it within its kind.
    driver->RemoveOutput("Out A");
    EXPECT_EQ(MIDIIO::GetDeviceName(2), "Out B");
    EXPECT_EQ(MIDIIO::GetDeviceName(4), "");
    EXPECT_FALSE(MIDIIO::SelectOutputDevice(4));
    EXPECT_FALSE(MIDIIO::HasOutputPort());
    driver->RemoveInput("In A");
    EXPECT_EQ(MIDIIO::GetDeviceName(0), "In B");
    EXPECT_TRUE(MIDIIO::IsInputDevice(1));
    EXPECT_FALSE(MIDIIO::IsInputDevice(2));
}

TEST_F(DeviceListTest, OpenPortsNeedsBothPorts)
{
    MIDIIO::ClosePorts();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    EXPECT_TRUE(MIDIIO::OpenPorts()) << "nothing selected opens nothing and succeeds";
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);

    MIDIIO::SelectInputDevice(0);
    MIDIIO::SelectOutputDevice(2);
    MIDIIO::ClosePorts();
    EXPECT_FALSE(driver->IsOpen("In A"));
    driver->SetOpenFails("In A", true);
    EXPECT_FALSE(MIDIIO::OpenPorts());
    EXPECT_FALSE(driver->IsOpen("Out A")) << "the output is not tried after the input failed";
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
}

class OnDemandTest : public LoopbackTest
{
protected:
    void SetUp() override { Start(true); }
};

TEST_F(OnDemandTest, PortsOpenOnlyWhenRequested)
{
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    driver->SetOpenFails("Out B", true);
    EXPECT_TRUE(MIDIIO::SelectInputDevice(0));
    EXPECT_TRUE(MIDIIO::SelectOutputDevice(3)) << "only recorded, so a failing device is not noticed";
    EXPECT_FALSE(driver->IsOpen("In A"));
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed) << "no request, no open";

    MIDIIO::RequestOpen();
    for (int tick = 0; tick < 3; ++tick)
    {
        EXPECT_TRUE(MIDIIO::OnIdle());
        EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed) << "retried every tick";
    }
    driver->SetOpenFails("Out B", false);
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_TRUE(driver->IsOpen("In A"));
    EXPECT_TRUE(driver->IsOpen("Out B"));

    MIDIIO::RequestClose();
    EXPECT_TRUE(MIDIIO::OnIdle());
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    EXPECT_FALSE(driver->IsOpen("In A"));
    EXPECT_FALSE(driver->IsOpen("Out B"));
}

TEST_F(OnDemandTest, GoingInactiveEndsTheRetriesAndReleasesAHalfOpenPort)
{
    MIDIIO::SelectInputDevice(0);
    MIDIIO::SelectOutputDevice(2);
    driver->SetOpenFails("Out A", true);
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    ASSERT_TRUE(driver->IsOpen("In A"));
    MIDIIO::RequestClose();
    MIDIIO::OnIdle();
    EXPECT_FALSE(driver->IsOpen("In A")) << "another program may want the device";
    driver->SetOpenFails("Out A", false);
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed) << "no more retries in the background";

    // Picking devices while closed: close then open, the open wins.
    MIDIIO::RequestClose();
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
}

TEST_F(OnDemandTest, CloseThenOpenReopensWithTheNewSelection)
{
    MIDIIO::SelectOutputDevice(2);
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    ASSERT_TRUE(driver->IsOpen("Out A"));

    MIDIIO::SelectOutputDevice(4);
    MIDIIO::RequestClose();
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_FALSE(driver->IsOpen("Out A"));
    EXPECT_TRUE(driver->IsOpen("Out C"));
}

// A device dialog's close and open, taken at once instead of on the next ticks.
TEST_F(OnDemandTest, RequestsAppliedNowReopenWithTheNewSelection)
{
    auto choose = [](int input) {
        MIDIIO::SelectInputDevice(input);
        MIDIIO::RequestClose();
        MIDIIO::RequestOpen();
        MIDIIO::ApplyRequestsNow();
    };
    choose(0);
    ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    choose(1);
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_FALSE(driver->IsOpen("In A"));
    EXPECT_TRUE(driver->IsOpen("In B"));

    // A failed open stays requested: the ticks retry it.
    driver->SetOpenFails("In A", true);
    choose(0);
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    driver->SetOpenFails("In A", false);
    MIDIIO::OnIdle();
    EXPECT_TRUE(driver->IsOpen("In A"));

    // A running receive keeps its port.
    std::vector<std::string> events;
    RecordingListener listener(events);
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    choose(1);
    EXPECT_TRUE(MIDIIO::IsReceiving());
    EXPECT_TRUE(driver->IsOpen("In A"));
}

TEST_F(OnDemandTest, StaleRequestsAreDropped)
{
    MIDIIO::RequestClose(); // in state 1: cleared
    MIDIIO::OnIdle();
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    MIDIIO::RequestOpen(); // in state 4: cleared
    MIDIIO::OnIdle();
    MIDIIO::RequestClose();
    MIDIIO::OnIdle();
    ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed) << "the open request taken in state 4 is gone";

    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    // Active and inactive again between two passes: the ports end released.
    MIDIIO::RequestOpen();
    MIDIIO::RequestClose();
    MIDIIO::OnIdle();
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
}

TEST_F(OnDemandTest, CloseWaitsForARunningTransfer)
{
    MIDIIO::SelectInputDevice(0);
    MIDIIO::RequestOpen();
    MIDIIO::OnIdle();
    std::vector<std::string> events;
    RecordingListener listener(events);
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    MIDIIO::RequestClose();
    MIDIIO::OnIdle();
    EXPECT_TRUE(MIDIIO::IsReceiving());
    EXPECT_TRUE(driver->IsOpen("In A"));
    MIDIIO::AbortTransfer();
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
}

TEST(RequestsWithoutOnDemand, DoNothing)
{
    MIDIIO::Init(false, std::make_unique<LoopbackMidiDriver>(std::vector<std::string>{"In"},
                                                             std::vector<std::string>{}));
    ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
    MIDIIO::RequestClose();
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_TRUE(MIDIIO::HasInputPort());
    MIDIIO::Shutdown();
}
