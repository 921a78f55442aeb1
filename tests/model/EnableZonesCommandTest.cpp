#include <gtest/gtest.h>

#include <memory>

#include "model/commands/EnableZonesCommand.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"

namespace
{
// A template with a zones switch (the DorvaSynth has none of its own).
class ZonedTemplate : public CDorvaSynthTemplate
{
public:
    bool GetZonesEnabled() const override { return m_zones; }
    void SetZonesEnabled(bool enabled) override { m_zones = enabled; }

private:
    bool m_zones = false;
};
} // namespace

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
