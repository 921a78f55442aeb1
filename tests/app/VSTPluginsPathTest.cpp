#include <gtest/gtest.h>

#include <filesystem>

#include "app/VSTPluginsPath.h"
#include "tests/app/ScopedEnv.h"
#include "tests/model/TempFolder.h"

TEST(VSTPluginsPath, VstPathThenTheHomeFolder)
{
    TempFolder home;
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    std::filesystem::create_directory(home.File(".vst"));
    {
        ScopedEnv path("VST_PATH", "::/opt/my vst:/usr/lib/vst");
        EXPECT_EQ(GetVSTPluginsPath(), "/opt/my vst");
    }
    ScopedEnv unset("VST_PATH", nullptr);
    EXPECT_EQ(GetVSTPluginsPath(), home.File(".vst"));
}
