// Stands in for the report program: appends its arguments, its parent's pid
// and its blocked-signal mask to the file named by $DORVA_REPORT_RECORD.
#include <fstream>
#include <string>

#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    const char* recordPath = std::getenv("DORVA_REPORT_RECORD");
    if (!recordPath)
        return 1;
    std::ofstream record(recordPath, std::ios::app);
    for (int i = 0; i < argc; ++i)
        record << "arg " << argv[i] << "\n";
    record << "ppid " << getppid() << "\n";
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigBlk:", 0) == 0)
            record << line << "\n";
    return 0;
}
