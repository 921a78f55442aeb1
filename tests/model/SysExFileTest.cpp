#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/SysExFile.h"
#include "model/SysExMetaStream.h"
#include "model/dorvasynth/DorvaSynthOS.h"
#include "tests/model/TempFolder.h"

namespace
{
using Bytes = std::vector<uint8_t>;

const Bytes kTwoWithTail = {0x00, 0x00, 0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7,
                            0xF0, 0x05, 0x06, 0x07, 0x08, 0xF7};

SysExBuffer Buffer(const Bytes& bytes)
{
    SysExBuffer out;
    for (uint8_t b : bytes)
        out.PushByte(b);
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<Bytes> LoadedMessages(const CSysExMetaStream& stream)
{
    std::vector<Bytes> out;
    for (size_t i = 0; i < stream.GetCount(); ++i)
        out.push_back(stream.GetMessage(i).bytes());
    return out;
}

mode_t ModeOf(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Files of this process may not grow past limit bytes while it lives: the
// next write beyond fails with EFBIG, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit lowered = m_saved;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    struct rlimit m_saved;
    void (*m_oldHandler)(int);
};
} // namespace

TEST(ReadSysExFromFile, SkipsLeadingBytesAndStopsAfterTheFirstF7)
{
    TempFolder dir;
    const std::string path = dir.File("two.syx");
    WriteBytes(path, kTwoWithTail);

    SysExBuffer out;
    size_t next = 0;
    ASSERT_TRUE(ReadSysExFromFile(path, out, 0, next));
    EXPECT_EQ(out.bytes(), (Bytes{0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7}));
    EXPECT_EQ(next, 8u);

    // From inside the first message: its tail is skipped up to the next F0.
    ASSERT_TRUE(ReadSysExFromFile(path, out, 6));
    EXPECT_EQ(out.bytes(), (Bytes{0xF0, 0x05, 0x06, 0x07, 0x08, 0xF7}));

    EXPECT_FALSE(ReadSysExFromFile(path, out, 9)); // no F0 after offset 8
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(ReadSysExFromFile(path, out, 1000)); // past the end
}

TEST(ReadSysExFromFile, FiltersDataBytesLikePushByte)
{
    TempFolder dir;
    const std::string path = dir.File("high.syx");
    WriteBytes(path, {0xF0, 0x00, 0x6A, 0x3C, 0x90, 0xFF, 0xF7});
    SysExBuffer out;
    ASSERT_TRUE(ReadSysExFromFile(path, out));
    EXPECT_EQ(out.bytes(), (Bytes{0xF0, 0x00, 0x6A, 0x3C, 0x00, 0x00, 0xF7}));
}

TEST(ReadSysExFromFile, RefusesShortTruncatedEmptyMissingAndNonFiles)
{
    TempFolder dir;
    const SysExBuffer untouched = Buffer({0xF0, 0x11, 0x22, 0x33, 0x44, 0xF7});
    SysExBuffer out;

    WriteBytes(dir.File("short.syx"), {0xF0, 0x01, 0xF7});
    EXPECT_FALSE(ReadSysExFromFile(dir.File("short.syx"), out));

    WriteBytes(dir.File("open.syx"), {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05});
    EXPECT_FALSE(ReadSysExFromFile(dir.File("open.syx"), out));

    // A second start inside a message makes it malformed.
    WriteBytes(dir.File("restart.syx"), {0xF0, 0x01, 0x02, 0x03, 0xF0, 0x05, 0xF7});
    EXPECT_FALSE(ReadSysExFromFile(dir.File("restart.syx"), out));

    WriteBytes(dir.File("empty.syx"), {});
    EXPECT_FALSE(ReadSysExFromFile(dir.File("empty.syx"), out));

    out = untouched;
    EXPECT_FALSE(ReadSysExFromFile(dir.File("missing.syx"), out));
    EXPECT_EQ(out, untouched);
    EXPECT_FALSE(ReadSysExFromFile(dir.Path(), out));
    EXPECT_EQ(out, untouched);
    EXPECT_FALSE(ReadSysExFromFile("/dev/zero", out)); // would never end
    EXPECT_EQ(out, untouched);
}

TEST(SysExMetaStream, LoadsMessagesInFileOrder)
{
    TempFolder dir;
    const std::string path = dir.File("image.syx");
    WriteBytes(path, kTwoWithTail);

    CSysExMetaStream stream;
    ASSERT_TRUE(stream.LoadFromFile(path));
    EXPECT_EQ(LoadedMessages(stream), (std::vector<Bytes>{{0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7},
                                                         {0xF0, 0x05, 0x06, 0x07, 0x08, 0xF7}}));
    EXPECT_THROW(stream.GetMessage(2), std::out_of_range);

    stream.ClearMessages();
    EXPECT_EQ(stream.GetCount(), 0u);
    EXPECT_TRUE(stream.IsValid()); // an empty list passes
}

TEST(SysExMetaStream, JunkBeforeAMessageNeverLoadsItTwice)
{
    // Ten junk bytes, then a six-byte message: resuming at the old offset plus
    // the message's length would land in the junk and find the message again.
    TempFolder dir;
    const Bytes message = {0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7};
    const std::string path = dir.File("junk.syx");
    WriteBytes(path, Concat({Bytes(10, 0x00), message}));

    CSysExMetaStream stream;
    EXPECT_TRUE(stream.LoadFromFile(path));
    EXPECT_EQ(LoadedMessages(stream), (std::vector<Bytes>{message}));

    // Junk between and after messages is skipped the same way.
    const Bytes other = {0xF0, 0x09, 0x08, 0x07, 0x06, 0x05, 0xF7};
    WriteBytes(path, Concat({message, Bytes(20, 0x42), other, Bytes(3, 0x11)}));
    EXPECT_TRUE(stream.LoadFromFile(path));
    EXPECT_EQ(LoadedMessages(stream), (std::vector<Bytes>{message, other}));
}

TEST(SysExMetaStream, StopsAtTheFirstBadMessageAndReplacesTheOldList)
{
    TempFolder dir;
    const Bytes good = {0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7};
    const std::string path = dir.File("image.syx");

    CSysExMetaStream stream;
    WriteBytes(path, Concat({good, {0xF0, 0x01, 0xF7}, good}));
    EXPECT_TRUE(stream.LoadFromFile(path));
    EXPECT_EQ(stream.GetCount(), 1u);

    WriteBytes(path, {0xF0, 0x01, 0x02});
    EXPECT_TRUE(stream.LoadFromFile(path)); // base class: an empty list passes
    EXPECT_EQ(stream.GetCount(), 0u);

    EXPECT_TRUE(stream.LoadFromFile(dir.Path()));
    EXPECT_EQ(stream.GetCount(), 0u);
}

TEST(WriteSysExToFile, CreatesReplacesAndAppends)
{
    TempFolder dir;
    const std::string path = dir.File("t.syx");
    const SysExBuffer first = Buffer({0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7});
    const SysExBuffer second = Buffer({0xF0, 0x05, 0x06, 0x07, 0x08, 0xF7});

    ASSERT_TRUE(WriteSysExToFile(path, first));
    EXPECT_EQ(ReadBytes(path), first.bytes());
    EXPECT_EQ(ModeOf(path), 0666 & ~CurrentUmask());

    ASSERT_TRUE(WriteSysExToFile(path, second, true));
    EXPECT_EQ(ReadBytes(path), Concat({first.bytes(), second.bytes()}));

    ASSERT_TRUE(WriteSysExToFile(path, second));
    EXPECT_EQ(ReadBytes(path), second.bytes());

    ASSERT_TRUE(WriteSysExToFile(dir.File("new.syx"), first, true));
    EXPECT_EQ(ReadBytes(dir.File("new.syx")), first.bytes());

    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"new.syx", "t.syx"})); // no temporary left
}

TEST(WriteSysExToFile, KeepsOwnerAndModeAndWritesThroughLinks)
{
    TempFolder dir;
    const std::string target = dir.File("real.syx");
    const std::string link = dir.File("link.syx");
    WriteBytes(target, {0x00});
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root)
    {
        ASSERT_EQ(::chown(target.c_str(), 12345, 23456), 0);
    }
    ASSERT_EQ(::symlink("real.syx", link.c_str()), 0);

    const SysExBuffer data = Buffer({0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7});
    ASSERT_TRUE(WriteSysExToFile(link, data));
    EXPECT_EQ(ReadBytes(target), data.bytes());
    EXPECT_EQ(ModeOf(target), 0640u);
    struct stat owner;
    ASSERT_EQ(::stat(target.c_str(), &owner), 0);
    if (root)
    {
        EXPECT_EQ(owner.st_uid, 12345u);
        EXPECT_EQ(owner.st_gid, 23456u);
    }
    struct stat st;
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(WriteSysExToFile, RefusesReadOnlyFilesAndFolders)
{
    TempFolder dir;
    const std::string path = dir.File("locked.syx");
    const Bytes old = {0xF0, 0x11, 0x22, 0x33, 0x44, 0xF7};
    WriteBytes(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    const SysExBuffer data = Buffer({0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7});
    EXPECT_FALSE(WriteSysExToFile(path, data));
    EXPECT_FALSE(WriteSysExToFile(path, data, true));
    EXPECT_EQ(ReadBytes(path), old);

    EXPECT_FALSE(WriteSysExToFile(dir.Path(), data));
    EXPECT_FALSE(WriteSysExToFile(dir.Path(), data, true));
    EXPECT_FALSE(WriteSysExToFile(dir.File("no/such/folder.syx"), data));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked.syx"}));
}

TEST(WriteSysExToFile, AFailedWriteLeavesTheOldFileIntact)
{
    TempFolder dir;
    const std::string path = dir.File("keep.syx");
    const Bytes old = Concat({{0xF0}, Bytes(98, 0x33), {0xF7}});
    WriteBytes(path, old);
    const SysExBuffer big = Buffer(Concat({{0xF0}, Bytes(8190, 0x12), {0xF7}}));

    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(WriteSysExToFile(path, big));
        EXPECT_FALSE(WriteSysExToFile(path, big, true));
        EXPECT_FALSE(WriteSysExToFile(dir.File("fresh.syx"), big));
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"keep.syx"}));

    ASSERT_TRUE(WriteSysExToFile(path, big)); // and fine once there is room
    EXPECT_EQ(ReadBytes(path), big.bytes());
}

TEST(WriteSysExToFile, RoundTripsThroughTheReader)
{
    TempFolder dir;
    const std::string path = dir.File("bank.syx");
    std::vector<Bytes> messages;
    for (uint8_t i = 0; i < 5; ++i)
        messages.push_back(Concat({{0xF0, 0x00, 0x6A, 0x3C}, Bytes(1 + i * 100, i), {0xF7}}));
    for (size_t i = 0; i < messages.size(); ++i)
        ASSERT_TRUE(WriteSysExToFile(path, Buffer(messages[i]), i > 0));

    CSysExMetaStream stream;
    ASSERT_TRUE(stream.LoadFromFile(path));
    EXPECT_EQ(LoadedMessages(stream), messages);
}

TEST(DorvaSynthOS, ValidOnlyWithAMessage)
{
    TempFolder dir;
    const std::string path = dir.File("os.syx");
    const Bytes first = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00, 0x00, 0x11, 0x06, 0x00, 0x01, 0xF7};

    CDorvaSynthOS os;
    WriteBytes(path, Concat({first, {0xF0, 0x01, 0x02, 0x03, 0x04}}));
    EXPECT_TRUE(os.LoadFromFile(path));
    EXPECT_EQ(os.GetCount(), 1u);
    EXPECT_EQ(os.GetVersion().Format(), "2.1.06");

    WriteBytes(path, {});
    EXPECT_FALSE(os.LoadFromFile(path));
    EXPECT_EQ(os.GetVersion().Format(), "0.0.00");
}
