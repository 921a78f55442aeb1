#include "crashreport/CrashDump.h"

#include <algorithm>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fstream>

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

const char* const kCrashDumpMagic = "DORVA-CRASH-DUMP 1";

namespace
{
// Text appended into a caller's fixed buffer; remembers when it overflowed.
class FixedText
{
public:
    FixedText(char* buffer, std::size_t size) : m_buffer(buffer), m_size(size)
    {
        if (m_size > 0)
            m_buffer[0] = '\0';
    }
    FixedText& Add(const char* text)
    {
        for (; text && *text; ++text)
            Put(*text);
        return *this;
    }
    FixedText& Decimal(long long value)
    {
        char digits[24];
        int count = 0;
        unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
        do
        {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            Put('-');
        while (count > 0)
            Put(digits[--count]);
        return *this;
    }
    // Zero-padded to width digits (at least), with "0x".
    FixedText& Hex(std::uintptr_t value, int width)
    {
        static const char kDigits[] = "0123456789abcdef";
        char digits[2 * sizeof value];
        int count = 0;
        do
        {
            digits[count++] = kDigits[value & 0xF];
            value >>= 4;
        } while (value != 0);
        Add("0x");
        for (int pad = count; pad < width; ++pad)
            Put('0');
        while (count > 0)
            Put(digits[--count]);
        return *this;
    }
    bool Fits() const { return !m_overflow; }
    std::size_t Length() const { return m_length; }
    const char* Text() const { return m_buffer; }
    void Clear()
    {
        m_length = 0;
        m_overflow = false;
        if (m_size > 0)
            m_buffer[0] = '\0';
    }

private:
    void Put(char c)
    {
        if (m_length + 1 >= m_size)
        {
            m_overflow = true;
            return;
        }
        m_buffer[m_length++] = c;
        m_buffer[m_length] = '\0';
    }

    char* m_buffer;
    std::size_t m_size;
    std::size_t m_length = 0;
    bool m_overflow = false;
};

bool WriteAll(int fd, const char* bytes, std::size_t length)
{
    while (length > 0)
    {
        const ssize_t written = write(fd, bytes, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

// One line at a time through a stack buffer; a line longer than the buffer
// is cut, never spilled.
class LineWriter
{
public:
    explicit LineWriter(int fd) : m_fd(fd), m_text(m_buffer, sizeof m_buffer) {}
    FixedText& Line() { return m_text; }
    void End()
    {
        m_text.Add("\n");
        if (!WriteAll(m_fd, m_text.Text(), m_text.Length()))
            m_ok = false;
        m_text.Clear();
    }
    bool Ok() const { return m_ok; }

private:
    int m_fd;
    char m_buffer[512];
    FixedText m_text;
    bool m_ok = true;
};

// The file at path, opened for writing only when it is (or is made as) a
// regular file of ours with no other name; emptied and set to 0600.
int OpenOwnFile(const char* path, int extraFlags)
{
    // O_NONBLOCK: a FIFO planted under the name must not block the handler.
    const int fd = open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | extraFlags, 0600);
    if (fd < 0)
        return -1;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid() || info.st_nlink != 1
        || fchmod(fd, 0600) != 0 || ftruncate(fd, 0) != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(long long days, long long& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

void TwoDigits(FixedText& text, long long value)
{
    if (value < 10)
        text.Add("0");
    text.Decimal(value);
}

void WriteTime(LineWriter& out)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long seconds = now.tv_sec;
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0)
    {
        rest += 86400;
        --days;
    }
    long long year;
    int month, day;
    CivilFromDays(days, year, month, day);
    FixedText& line = out.Line().Add("Time: ").Decimal(year).Add("-");
    TwoDigits(line, month);
    line.Add("-");
    TwoDigits(line, day);
    line.Add(" ");
    TwoDigits(line, rest / 3600);
    line.Add(":");
    TwoDigits(line, rest / 60 % 60);
    line.Add(":");
    TwoDigits(line, rest % 60);
    line.Add(" UTC (").Decimal(seconds).Add(")");
    out.End();
}

void WriteRegisters(LineWriter& out, const void* context)
{
    out.Line().Add("Registers:");
    out.End();
    if (!context)
    {
        out.Line().Add("unavailable");
        out.End();
        return;
    }
    const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    // In the order of the kernel's greg_t array.
    static const char* const kNames[] = {"r8",  "r9",  "r10", "r11", "r12", "r13",    "r14", "r15",
                                         "rdi", "rsi", "rbp", "rbx", "rdx", "rax",    "rcx", "rsp",
                                         "rip", "efl", "csgsfs", "err", "trapno", "oldmask", "cr2"};
    static_assert(sizeof kNames / sizeof kNames[0] == NGREG, "one name per general register");
    for (int i = 0; i < NGREG; ++i)
    {
        out.Line().Add(kNames[i]).Add(" ").Hex(static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[i]), 16);
        out.End();
    }
#elif defined(__aarch64__)
    for (int i = 0; i < 31; ++i)
    {
        out.Line().Add("x").Decimal(i).Add(" ").Hex(uc->uc_mcontext.regs[i], 16);
        out.End();
    }
    out.Line().Add("sp ").Hex(uc->uc_mcontext.sp, 16);
    out.End();
    out.Line().Add("pc ").Hex(uc->uc_mcontext.pc, 16);
    out.End();
    out.Line().Add("pstate ").Hex(uc->uc_mcontext.pstate, 16);
    out.End();
#else
    (void)uc;
    out.Line().Add("unavailable on this processor");
    out.End();
#endif
}

bool CopyFile(int fd, const char* path)
{
    const int in = open(path, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return WriteAll(fd, "unavailable\n", 12);
    char buffer[4096];
    bool ok = true;
    for (;;)
    {
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        if (!WriteAll(fd, buffer, static_cast<std::size_t>(got)))
        {
            ok = false;
            break;
        }
    }
    close(in);
    return ok;
}
} // namespace

const char* CrashSignalName(int signal)
{
    switch (signal)
    {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

int CreateCrashDumpFile(const char* folder, const char* fileTitle, char* path, std::size_t pathSize)
{
    FixedText name(path, pathSize);
    name.Add(folder).Add("/").Add(fileTitle).Add(".dmp");
    if (!name.Fits())
        return -1;
    const int fd = OpenOwnFile(path, 0);
    if (fd >= 0)
        return fd;
    // The usual name is taken: a name of this process's own, made afresh.
    name.Clear();
    name.Add(folder).Add("/").Add(fileTitle).Add("-").Decimal(getpid()).Add(".dmp");
    if (!name.Fits())
        return -1;
    return OpenOwnFile(path, O_EXCL);
}

bool WriteCrashDump(int fd, const CrashDumpInfo& info)
{
    LineWriter out(fd);
    out.Line().Add(kCrashDumpMagic);
    out.End();
    out.Line().Add("Program: ").Add(info.title);
    out.End();
    out.Line().Add("Vendor: ").Add(info.vendor);
    out.End();
    out.Line().Add("Pid: ").Decimal(getpid());
    out.End();
    out.Line().Add("Thread: ").Decimal(static_cast<long long>(syscall(SYS_gettid)));
    out.End();
    WriteTime(out);
    out.Line().Add("Signal: ").Decimal(info.signal).Add(" ").Add(CrashSignalName(info.signal));
    out.End();
    out.Line().Add("Code: ").Decimal(info.code);
    out.End();
    out.Line().Add("Address: ").Hex(reinterpret_cast<std::uintptr_t>(info.address), 16);
    out.End();
    if (info.reason && *info.reason)
    {
        out.Line().Add("Reason: ").Add(info.reason);
        out.End();
    }
    WriteRegisters(out, info.context);

    out.Line().Add("Backtrace:");
    out.End();
    void* frames[64];
    const int count = backtrace(frames, 64);
    backtrace_symbols_fd(frames, count, fd);

    out.Line().Add("Maps:");
    out.End();
    const bool mapsCopied = CopyFile(fd, "/proc/self/maps");
    return out.Ok() && mapsCopied;
}

bool ReadCrashDumpHeader(const std::string& path, CrashDumpHeader& header)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != kCrashDumpMagic)
        return false;
    header = CrashDumpHeader();
    // The names go into the report's window and mail subject: no control
    // characters (a line end of "\r\n" included) come with them.
    const auto printable = [](std::string text) {
        text.erase(std::remove_if(text.begin(), text.end(),
                                  [](unsigned char c) { return c < 0x20 || c == 0x7F; }),
                   text.end());
        return text;
    };
    // The header lines come before the registers; stop there.
    while (std::getline(in, line) && printable(line) != "Registers:")
    {
        if (line.rfind("Program: ", 0) == 0)
            header.title = printable(line.substr(9));
        else if (line.rfind("Vendor: ", 0) == 0)
            header.vendor = printable(line.substr(8));
    }
    return true;
}
