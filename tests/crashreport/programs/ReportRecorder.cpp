// Stands in for the report program: appends its arguments, its parent's pid
// its blocked-signal mask and whether descriptor 100 is open to the file named by $DORVA_REPORT_RECORD.
#include <fstream>
#include <string>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    const char* recordPath = std::getenv("DORVA_REPORT_RECORD");
    if (!recordPath)
        return 1;
    std::ofstream record(recordPath, std::ios::app);
    for (int i = 0; i < argc; ++i)
        record << "arg " << argv[i] << "\n";
    const bool inherited = fcntl(100, F_GETFD) != -1;
    record << "ppid " << getppid() << "\n";
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigBlk:", 0) == 0)
            record << line << "\n";
    record << "fd100 " << (inherited ? "open" : "closed") << "\n";
    return 0;
}
