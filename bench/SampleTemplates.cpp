// Writes DorvaSynth template files for the program benchmarks:
//   dorva_bench_templates <folder> <count>
// gives <folder>/bench-01.syx ... each with a CC on every control.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/SysExFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <folder> <count>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    for (int n = 1; n <= count; ++n)
    {
        char name[32];
        std::snprintf(name, sizeof name, "bench-%02d", n);
        CDorvaSynthTemplate tmpl;
        tmpl.SetName(std::string("Bench ") + std::to_string(n));
        for (int index = 0; index <= tmpl.GetLastControlIndex(); ++index)
        {
            CBaseControlState* control = tmpl.GetControl(index);
            control->SetType(1, false);
            control->SetName("Control " + std::to_string(index));
            control->SetMIDIControlLSBNum(static_cast<uint8_t>(index));
        }
        if (!WriteSysExToFile(folder + "/" + name + ".syx", tmpl.Write(), false))
        {
            std::fprintf(stderr, "cannot write %s/%s.syx\n", folder.c_str(), name);
            return 1;
        }
    }
    return 0;
}
