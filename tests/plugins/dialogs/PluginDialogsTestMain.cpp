#include <memory>

#include "app/EditorApp.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/DisplayTestMain.h"
#include "ui/ResourceFiles.h"

namespace
{
// The dialogs load their layouts as the program does, from beside the binary.
class ResourcesEnvironment : public testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(LoadResourceFiles("DorvaSynthEditor")); }
};
} // namespace

int main(int argc, char** argv)
{
    testing::AddGlobalTestEnvironment(new ResourcesEnvironment);
    return RunDisplayTests(argc, argv, [] { return new CEditorApp(std::make_unique<CDorvaSynthAnswers>()); });
}
