#include <gtest/gtest.h>

#include <memory>

#include "model/commands/EnableZonesCommand.h"
#include "tests/model/ZonedTemplate.h"

TEST(EnableZonesCommandTest, SwitchesAndRestoresThroughTheHistory)
{
    ZonedTemplate zoned;
    zoned.SubmitCommand(std::make_unique<CEnableZonesCommand>(&zoned, true));
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_EQ(zoned.GetUndoText(), "Enable Keyboard Zones");
    zoned.SubmitCommand(std::make_unique<CEnableZonesCommand>(&zoned, true));
    zoned.Undo();
    EXPECT_TRUE(zoned.GetZonesEnabled()) << "undo restores the state found at execution";
    zoned.Undo();
    EXPECT_FALSE(zoned.GetZonesEnabled());
    zoned.Redo();
    EXPECT_TRUE(zoned.GetZonesEnabled());

    CEnableZonesCommand off(&zoned, false);
    EXPECT_EQ(off.GetName(), "Disable Keyboard Zones");
    EXPECT_FALSE(off.UpdateView(false));
}
