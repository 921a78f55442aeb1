// The real main window over a JACK server of its own, with a stand-in unit at
// the other end of the cable, driven by the keys a user presses.

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/EditorTemplate.h"
#include "model/TemplateLoader.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/JackUnit.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "ui/dialogs/BulkDumpDialog.h"

using namespace RealInput;

namespace
{
class MainWindowOverJack : public UiTest
{
protected:
    void SetUp() override
    {
        DORVA_START_JACK_SERVER(m_server);
        ASSERT_TRUE(m_unit.Open());
        // The bulk dump dialog is made from them.
        static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
        ASSERT_TRUE(loaded);
        TestApp().realMainWindow = true;
        TestApp().jackMidi = true;
        WritePreferences([](Preferences& p) {
            p.startupAction = 1;
            p.inputDevice = "unit-to-editor";
            p.outputDevice = "editor-to-unit";
            p.showOldOSDialog = 0;
        });
        ASSERT_TRUE(TestApp().Start());
        m_frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(m_unit.WaitUntilConnected()) << "the editor's input is not connected to the unit";
        ASSERT_TRUE(Focus(m_frame->GetPanelWindow()));
    }
    void TearDown() override
    {
        TestApp().Stop();
        m_unit.Close();
        m_server.Stop();
    }

    CMainFrame& Frame() { return *m_frame; }
    bool Listening() { return Frame().GetMenuBar()->FindItem(MenuId::Listen)->IsChecked(); }
    wxString Status() { return Frame().GetStatusBar()->GetStatusText(0); }
    void Send(const SysExBuffer& dump) { m_unit.Send(JackUnit::Bytes(dump.begin(), dump.end())); }

    JackServer m_server;
    JackUnit m_unit;
    CMainFrame* m_frame = nullptr;
};
} // namespace

TEST_F(MainWindowOverJack, ReceivesDumpsOfTwoModelsSendsTheTemplateAndLeavesDumpsToTheBulkDialog)
{
    struct Row
    {
        TemplateModel model;
        const char* message; // the start of the conversion message, or none
    };
    const Row rows[] = {
        {ModelDorvaSynth, nullptr},
        // 8,208 bytes: longer than any message sent.
        {ModelCalder, "This template has been recieved from a Calder.\n\nIt has been converted to a Dorva"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(GetTemplateModelName(row.model));
        const int before = Frame().GetTemplateCount();
        m_boxes.boxes.clear();
        Key('L', wxMOD_CONTROL);
        ASSERT_TRUE(Listening());
        EXPECT_TRUE(Status().StartsWith("Listening for template dump from device: ")) << Status();
        Send(CreateTemplateOfModel(row.model)->Write());
        ASSERT_TRUE(IdleUntil([&] { return Frame().GetTemplateCount() == before + 1; }));
        EXPECT_FALSE(Listening());
        EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
        if (row.message)
        {
            ASSERT_EQ(m_boxes.boxes.size(), 1u);
            EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith(row.message)) << m_boxes.boxes[0].text;
        }
        else
        {
            EXPECT_TRUE(m_boxes.boxes.empty());
        }
    }

    // Send uploads the current template, the converted one, byte for byte.
    Key('U', wxMOD_CONTROL);
    ASSERT_TRUE(IdleUntil([&] { return m_unit.ReceivedCount() == 1; }));
    const SysExBuffer current = Frame().GetCurrentTemplate()->Write();
    EXPECT_EQ(m_unit.Received(0), JackUnit::Bytes(current.begin(), current.end()));
    EXPECT_EQ(Status(), "Template dump completed");

    // A dump that arrives while the bulk dialog is open is the dialog's to
    // take: the listen stops as it opens and stays off.
    Key('L', wxMOD_CONTROL);
    ASSERT_TRUE(Listening());
    m_boxes.boxes.clear();
    const int before = Frame().GetTemplateCount();
    DialogScript<CBulkDumpDialog> bulk([&](CBulkDumpDialog& dialog) {
        Send(CreateTemplateOfModel(ModelCalder)->Write());
        // A short message behind it: once it is shown, the dump has been dealt with.
        m_unit.Send({0x90, 60, 100});
        EXPECT_TRUE(IdleUntil([&] { return Status() == "Received MIDI message"; }));
        Click(dialog.FindWindow(wxID_OK));
    });
    Key('B', wxMOD_CONTROL); // returns once the script has ended the dialog
    ASSERT_EQ(bulk.titles.size(), 1u);
    EXPECT_EQ(Frame().GetTemplateCount(), before);
    EXPECT_TRUE(m_boxes.boxes.empty()) << m_boxes.boxes[0].text;
    EXPECT_FALSE(Listening());
    EXPECT_FALSE(MIDIIO::IsReceiving());
}
