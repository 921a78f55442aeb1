#include "tests/app/DisplayTestMain.h"
#include "tests/ui/dialogs/DialogTestSupport.h"

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] { return new DialogTestApp; });
}
