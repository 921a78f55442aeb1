// The plug-in examination alone, with no window, as the program's scan runs
// it (the guard saved before each library, the helpers beside this binary):
//   dorva_bench_examine <folder>
// prints "<milliseconds> <plug-ins found>".
#include <chrono>
#include <cstdio>

#include <wx/init.h>

#include "app/Preferences.h"
#include "plugins/VSTPluginExaminer.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    wxInitializer toolkit;
    Preferences preferences;
    preferences.Load("Dorva Bench Examination");
    CVSTPluginExaminer examiner(&preferences);
    const auto start = std::chrono::steady_clock::now();
    examiner.ExamineFolder(argv[1], nullptr);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%.1f %zu\n", took.count(), examiner.GetPluginCount());
    return 0;
}
