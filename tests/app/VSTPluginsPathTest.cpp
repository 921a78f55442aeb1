#include <gtest/gtest.h>

#include <filesystem>

#include "app/VSTPluginsPath.h"
#include "tests/app/TestFolder.h"

TEST(VSTPluginsPath, FirstEntryOfVstPath)
{
    ScopedEnv path("VST_PATH", "/opt/my vst:/usr/lib/vst");
    EXPECT_EQ(GetVSTPluginsPath(), "/opt/my vst");
    ScopedEnv leadingEmpty("VST_PATH", "::/opt/vst2:/x");
    EXPECT_EQ(GetVSTPluginsPath(), "/opt/vst2");
}

TEST(VSTPluginsPath, HomeFolderBeforeSystemFolders)
{
    TestFolder home;
    ScopedEnv path("VST_PATH", nullptr);
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    std::filesystem::create_directory(home.Path() + "/.vst");
    EXPECT_EQ(GetVSTPluginsPath(), home.Path() + "/.vst");
}

TEST(VSTPluginsPath, SystemFoldersThenNothing)
{
    TestFolder home; // without .vst
    ScopedEnv path("VST_PATH", "");
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    std::string expected;
    if (std::filesystem::is_directory("/usr/local/lib/vst"))
        expected = "/usr/local/lib/vst";
    else if (std::filesystem::is_directory("/usr/lib/vst"))
        expected = "/usr/lib/vst";
    EXPECT_EQ(GetVSTPluginsPath(), expected);
}
