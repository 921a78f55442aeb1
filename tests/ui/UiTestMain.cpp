#include <wx/app.h>

#include "tests/app/DisplayTestMain.h"

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] { return new wxApp; });
}
