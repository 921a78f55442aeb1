#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/ToolkitGL.h"
#include "tests/app/ScopedEnv.h"

namespace
{
std::string Setting()
{
    const char* value = std::getenv("GDK_GL");
    return value ? value : "(unset)";
}
} // namespace

// GL is off while the toolkit starts; afterwards programs started from the
// editor see what the user gave, and a setting of the user's own is never
// touched.
TEST(ToolkitGL, OffForTheStartOnlyAndNeverOverTheUsersSetting)
{
    struct Row
    {
        const char* user;
        const char* duringStart;
        const char* afterwards;
    };
    for (const Row& row : {Row{nullptr, "disable", "(unset)"}, Row{"always", "always", "always"},
                           Row{"", "", ""}})
    {
        SCOPED_TRACE(row.user ? row.user : "(unset)");
        const ScopedEnv user("GDK_GL", row.user);
        ToolkitGL::DisableBeforeStart();
        EXPECT_EQ(Setting(), row.duringStart);
        ToolkitGL::RestoreAfterStart();
        EXPECT_EQ(Setting(), row.afterwards);
    }
}
