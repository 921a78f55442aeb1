// The bank and OS update dialogs against a stand-in unit over a JACK server
// of the test's own, in the program's default on-demand mode: what the unit
// receives, and when.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>

#include "midi/MIDIIO.h"
#include "midi/SystemMidiDriver.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/JackUnit.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/SelectMIDIDevices.h"
#include "ui/dialogs/UpdateOSDialog.h"

namespace
{
using Bytes = std::vector<uint8_t>;

// The gaps between the unit's receipts, in ms.
std::vector<double> GapsMs(const JackUnit& unit)
{
    std::vector<double> gaps{0};
    for (size_t i = 1; i < unit.ReceivedCount(); ++i)
        gaps.push_back(unit.GapMs(i));
    return gaps;
}

// An OS image of count messages; the first carries version 2.2.00.
Bytes OSImage(int count, std::vector<Bytes>& messages)
{
    Bytes all;
    for (int n = 0; n < count; ++n)
    {
        Bytes m{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04, 0x7F, 0x00, 0x00, 2 << 3 | 2, 0, static_cast<uint8_t>(n)};
        for (int i = 0; i < 200; ++i)
            m.push_back(static_cast<uint8_t>((i * 7 + n) & 0x7F));
        m.push_back(0xF7);
        messages.push_back(m);
        all.insert(all.end(), m.begin(), m.end());
    }
    return all;
}

class DialogsOverJackTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DORVA_START_JACK_SERVER(m_server);
        ASSERT_TRUE(m_unit.Open("Test Unit"));
        ASSERT_TRUE(m_other.Open("Other Unit"));
        std::unique_ptr<IMidiDriver> driver = CreateMidiDriver(MidiBackend::Jack);
        ASSERT_TRUE(driver);
        MIDIIO::Init(true, std::move(driver));
        // In from one unit, out to the other: a graph without a loop, in
        // which the server runs the units' cycles after the editor's.
        ASSERT_TRUE(MIDIIO::SelectInputDeviceByName("Other Unit:unit-to-editor"));
        ASSERT_TRUE(MIDIIO::SelectOutputDeviceByName("Test Unit:editor-to-unit"));
        // The program becoming active opens the ports.
        MIDIIO::RequestOpen();
        MIDIIO::OnIdle();
        ASSERT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
        TestApp().Prefs().showOldOSDialog = 0;
    }

    void TearDown() override
    {
        MIDIIO::Shutdown();
        m_unit.Close();
        m_other.Close();
        m_server.Stop();
    }

    // A bank file of the bank's own default entries, opened in the dialog.
    void OpenDefaultBank(CBulkDumpDialog& dialog, bool templates)
    {
        const IDeviceAnswers& device = TestApp().Device();
        std::unique_ptr<IBulkDump> bank = templates ? device.CreateTemplateBulkDump() : device.CreatePatchBulkDump();
        const std::string path = m_folder.File(templates ? "bank.blk" : "bank.syx");
        ASSERT_TRUE(SaveBulkDumpToFile(*bank, path));
        ASSERT_TRUE(dialog.OpenBankFile(path));
        dialog.Bank().SetModified(false);
        m_sent.clear();
        for (int i = 0; i < bank->GetCount(); ++i)
            m_sent.push_back(bank->GetEntry(i).Write().bytes());
    }

    JackServer m_server;
    JackUnit m_unit;
    JackUnit m_other;
    TempFolder m_folder;
    MessageRecorder m_boxes;
    std::vector<Bytes> m_sent;
};

// Each entry leaves the pause after the previous one's departure: the unit
// never gets two entries closer. The pauses are shortened from the dialog's
// 1,000 ms and 300 ms (checked in the dialog tests) to keep the test short;
// scripts/bench-transfer-pauses.sh measures the real ones. The unit takes
// messages at the start of the server's cycles (256 frames at 48 kHz,
// 5.33 ms), so the gaps are whole cycles, some 4 ms above these pauses. It
// notes a message when its own thread runs that cycle, which on a loaded
// machine may be as late as the next cycle: a gap may look shorter by that
// much, never more (the next one then looks longer).
TEST_F(DialogsOverJackTest, BanksArePacedAtTheUnit)
{
    struct Case
    {
        bool templates;
        size_t entries;
        int pauseMs;
    };
    for (const Case& c : {Case{true, 16, 241}, Case{false, 100, 60}})
    {
        SCOPED_TRACE(c.templates ? "template bank" : "patch bank");
        const size_t before = m_unit.ReceivedCount();
        CBulkDumpDialog dialog(nullptr, c.templates, "Bank");
        dialog.SetSendPause(c.pauseMs);
        OpenDefaultBank(dialog, c.templates);
        RunModal(dialog, [&](wxDialog& d) {
            UserClick(d, "Upload_Dump");
            EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 60000));
            d.EndModal(0);
        });
        ASSERT_EQ(m_unit.ReceivedCount() - before, c.entries);
        double largest = 0;
        double total = 0;
        const std::vector<double> gaps = GapsMs(m_unit);
        for (size_t i = before; i < before + c.entries; ++i)
        {
            EXPECT_EQ(m_unit.Received(i), m_sent[i - before]) << "entry " << i - before;
            if (i == before)
                continue;
            EXPECT_GE(gaps[i], c.pauseMs - m_unit.PeriodMs()) << "entries " << i - before - 1 << " and " << i - before;
            largest = std::max(largest, gaps[i]);
            total += gaps[i];
        }
        EXPECT_GE(total, static_cast<double>(c.pauseMs) * static_cast<double>(c.entries - 1)) << "on the whole";
        std::printf("%zu entries, pause %d ms: largest gap at the unit %.2f ms\n", c.entries, c.pauseMs, largest);
        EXPECT_TRUE(m_boxes.boxes.empty());
    }
}

// A Cancel in the pause ends the send there (Escape: Cancel has the keys
// while the send runs); OK then closes the dialog at once, and nothing that
// could send or call the dialog is left behind.
TEST_F(DialogsOverJackTest, CancelThenOkInAPauseStopsEverything)
{
    auto dialog = std::make_unique<CBulkDumpDialog>(nullptr, true, "Bulk dump");
    OpenDefaultBank(*dialog, true);
    int result = 0;
    RunModal(*dialog, [&](wxDialog& d) {
        ASSERT_TRUE(RealInput::Activate(&d));
        UserClick(d, "Upload_Dump");
        ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() == 2; }, 5000));
        RealInput::Key(WXK_ESCAPE);
        EXPECT_FALSE(dialog->IsBusy()) << "at once";
        // The user clicks OK as soon as it is enabled.
        ASSERT_TRUE(PumpUntil([&] { return !dialog->IsBusy(); }, 5000));
        UserClick(d, wxID_OK);
        EXPECT_FALSE(d.IsModal());
        result = d.GetReturnCode();
    });
    EXPECT_EQ(result, 0);
    dialog.reset();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle) << "no entry queued";
    EXPECT_TRUE(MIDIIO::WaitUntilSent(0)) << "no entry on its way";
    for (int tick = 0; tick < 3; ++tick)
        MIDIIO::OnIdle();
    EXPECT_EQ(m_unit.ReceivedCount(), 2u);
}

// In on-demand mode a device chosen inside the OS dialog gets the image.
// (Its pauses are those of the banks: scripts/bench-transfer-pauses.sh.)
TEST_F(DialogsOverJackTest, TheOSGoesToTheDeviceChosenInTheDialog)
{
    std::vector<Bytes> messages;
    const std::string path = m_folder.File("os.syx");
    WriteBytes(path, OSImage(20, messages));
    CUpdateOSDialog dialog(nullptr);
    ASSERT_TRUE(dialog.LoadImage(path));
    // The two units change places.
    DialogScript<CSelectMIDIDevices> devices([](wxDialog& d) {
        for (const auto& [name, unit] : {std::pair{"Input_Midi_Device", "Test Unit:"},
                                         std::pair{"Output_Midi_Device", "Other Unit:"}})
        {
            wxChoice* list = Control<wxChoice>(&d, name);
            for (unsigned i = 0; i < list->GetCount(); ++i)
                if (list->GetString(i).StartsWith(unit))
                    list->SetSelection(static_cast<int>(i));
        }
        UserClick(d, wxID_OK);
    });
    DialogScript<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_OK); });
    RunModal(dialog, [&](wxDialog& d) {
        UserClick(d, "Select_MIDI_Devices");
        ASSERT_TRUE(PumpUntil([&] { return dialog.ArePortsReady(); }));
        EXPECT_EQ(MIDIIO::GetDeviceName(MIDIIO::GetSelectedInputDevice()), "Test Unit:unit-to-editor");
        EXPECT_TRUE(MIDIIO::IsReceiving()) << "listening again, on the new input";
        UserClick(d, "Send_OS_To_Device");
        ASSERT_TRUE(PumpUntil([&] { return !dialog.IsSending(); }, 10000));
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(devices.titles.size(), 1u);
    EXPECT_EQ(m_unit.ReceivedCount(), 0u);
    ASSERT_EQ(m_other.ReceivedCount(), messages.size());
    for (size_t i = 0; i < messages.size(); ++i)
        EXPECT_EQ(m_other.Received(i), messages[i]) << i;
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith("OS update completed!"));
}
} // namespace
