// The status line of the real main window shows incoming messages whole.
#include <gtest/gtest.h>

#include "midi/MIDIIO.h"
#include "tests/ui/MainWindowTest.h"

// The status line draws a field's text with a margin of 2 pixels on each side.
constexpr int kTextMargins = 4;

TEST_F(MainWindowTest, TheStatusLineShowsTheWidestMessagesWhole)
{
    wxStatusBar& bar = *Frame().GetStatusBar();
    const struct
    {
        int status, data1, data2;
    } messages[] = {{0x9F, 127, 100}, {0x8F, 108, 127}, {0xCF, 0x7F, 0}, {0xBF, 127, 127},
                    {0xEF, 0, 127}, {0xDF, 127, 0}};
    for (const auto& message : messages)
    {
        TestApp().driver->InjectShort("In", message.status, message.data1, message.data2);
        const auto lines = MIDIIO::FormatMessage(message.status, message.data1, message.data2);
        ASSERT_TRUE(IdleUntil([&] { return Status(1) == ToWx(lines[0]) && Status(2) == ToWx(lines[1]); }));
        for (int field = 1; field <= 4; ++field)
        {
            wxRect rect;
            ASSERT_TRUE(bar.GetFieldRect(field, rect));
            EXPECT_LE(bar.GetTextExtent(Status(field)).x + kTextMargins, rect.width)
                << "field " << field << " cuts \"" << Status(field) << "\"";
        }
    }
    wxRect last;
    ASSERT_TRUE(bar.GetFieldRect(4, last));
    EXPECT_LE(last.GetRight(), Frame().GetClientSize().x) << "every field lies inside the window";
    wxRect first;
    ASSERT_TRUE(bar.GetFieldRect(0, first));
    EXPECT_LE(bar.GetTextExtent(Status(0)).x + kTextMargins, first.width) << "field 0 still shows " << Status(0);
}
