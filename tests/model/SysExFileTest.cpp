// Messages in files, patches, and banks of templates and patches.
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/SysExFile.h"
#include "model/SysExMetaStream.h"
#include "model/calder/CalderPatch.h"
#include "model/dorvasynth/DorvaSynthOS.h"
#include "tests/model/AsUnprivilegedUser.h"
#include "tests/model/BytesRead.h"
#include "tests/model/FifoWatch.h"
#include "tests/model/ModelTestSupport.h"

namespace
{
const Bytes kFirst = {0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7}, kSecond = {0xF0, 0x05, 0x06, 0x07, 0x08, 0xF7};
using PatchBank = CBulkDump<CCalderPatch, 100>;
using TemplateBank = CBulkDump<CDorvaSynthTemplate, 16>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<Bytes> Loaded(const CSysExMetaStream& stream)
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

// count patch dumps back to back, patch i named "Patch i" at location i.
Bytes PatchBankBytes(int count)
{
    Bytes out;
    for (int i = 0; i < count; ++i)
        out = Concat({out, PatchDumpBytes("Patch " + std::to_string(i), i, 1, i)});
    return out;
}

std::string NameAt(const IBulkDump& bank, int index)
{
    const std::string name = bank.GetEntry(index).GetName();
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

CCalderPatch Patch(const Bytes& bytes)
{
    CCalderPatch patch;
    size_t position = 0;
    EXPECT_TRUE(patch.Read(SysExBuffer::FromBytes(bytes), position));
    EXPECT_EQ(270u, position);
    return patch;
}

// Files of this process may not grow past limit bytes while it lives: the
// next write beyond fails with EFBIG, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit lowered = m_saved;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    void (*m_handler)(int);
    struct rlimit m_saved;
};
} // namespace

TEST(SysExFile, ReadingTakesTheFirstWholeMessageFromTheOffset)
{
    TempFolder dir;
    const auto read = [&](const Bytes& bytes, size_t offset, size_t expectNext = 0) {
        WriteBytes(dir.File("in.syx"), bytes);
        SysExBuffer out = Buffer(kSecond);
        size_t next = 0;
        const bool ok = ReadSysExFromFile(dir.File("in.syx"), out, offset, next);
        EXPECT_EQ(expectNext, ok ? next : 0);
        return ok ? out.bytes() : Bytes{};
    };
    const Bytes twoWithTail = Concat({{0x00, 0x00}, kFirst, kSecond});
    EXPECT_EQ(kFirst, read(twoWithTail, 0, 8));
    EXPECT_EQ(kSecond, read(twoWithTail, 6, 14)); // from inside the first: skipped to the next F0
    EXPECT_EQ(Bytes{}, read(twoWithTail, 9));
    EXPECT_EQ(Bytes{}, read(twoWithTail, 1000));
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x6A, 0x3C, 0x00, 0x00, 0xF7}), read({0xF0, 0x00, 0x6A, 0x3C, 0x90, 0xFF, 0xF7}, 0, 7));
    for (const Bytes& bad : {Bytes{0xF0, 0x01, 0xF7}, Bytes{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05},
                             Bytes{0xF0, 0x01, 0x02, 0x03, 0xF0, 0x05, 0xF7}, Bytes{}})
        EXPECT_EQ(Bytes{}, read(bad, 0));
    for (const std::string& path : {dir.File("missing.syx"), dir.Path(), std::string("/dev/zero")})
    {
        SysExBuffer out = Buffer(kSecond);
        EXPECT_FALSE(ReadSysExFromFile(path, out)) << path;
        EXPECT_TRUE(SameBytes(out, kSecond));
    }
}

TEST(SysExFile, AStreamLoadsEveryMessageOnceUntilABadOne)
{
    TempFolder dir;
    const std::string path = dir.File("image.syx");
    const Bytes other = {0xF0, 0x09, 0x08, 0x07, 0x06, 0x05, 0xF7};
    CSysExMetaStream stream;
    // Junk before a message longer than it must not bring the message back.
    for (const auto& [bytes, loaded] : std::vector<std::pair<Bytes, std::vector<Bytes>>>{
             {Concat({Bytes(10, 0x00), kFirst}), {kFirst}},
             {Concat({kFirst, Bytes(20, 0x42), other, Bytes(3, 0x11)}), {kFirst, other}},
             {Concat({kFirst, {0xF0, 0x01, 0xF7}, kFirst}), {kFirst}},
             {{0xF0, 0x01, 0x02}, {}}})
    {
        WriteBytes(path, bytes);
        EXPECT_TRUE(stream.LoadFromFile(path)); // the base class takes an empty list too
        EXPECT_EQ(loaded, Loaded(stream));
    }
    EXPECT_TRUE(stream.LoadFromFile(dir.Path()));
    EXPECT_EQ(0u, stream.GetCount());
    EXPECT_THROW(stream.GetMessage(0), std::out_of_range);

    CDorvaSynthOS os;
    WriteBytes(path, {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00, 0x00, 0x11, 0x06, 0x00, 0x01, 0xF7, 0xF0, 0x01});
    EXPECT_TRUE(os.LoadFromFile(path));
    EXPECT_EQ("1 2.1.06", Join(os.GetCount(), os.GetVersion().Format()));
    WriteBytes(path, {});
    EXPECT_FALSE(os.LoadFromFile(path));
    EXPECT_EQ("0.0.00", os.GetVersion().Format());
}

TEST(SysExFile, WritingReplacesOrAppendsAndKeepsTheFilesOwnerModeAndLinks)
{
    TempFolder dir;
    const std::string path = dir.File("t.syx"), target = dir.File("real.syx"), link = dir.File("link.syx");
    ASSERT_TRUE(WriteSysExToFile(path, Buffer(kFirst)));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(0666 & ~mask, ModeOf(path));
    ASSERT_TRUE(WriteSysExToFile(path, Buffer(kSecond), true));
    EXPECT_EQ(Concat({kFirst, kSecond}), ReadBytes(path));
    ASSERT_TRUE(WriteSysExToFile(path, Buffer(kSecond)));
    EXPECT_EQ(kSecond, ReadBytes(path));
    ASSERT_TRUE(WriteSysExToFile(dir.File("new.syx"), Buffer(kFirst), true));
    EXPECT_EQ(kFirst, ReadBytes(dir.File("new.syx")));

    WriteBytes(target, {0x00});
    ASSERT_EQ(0, ::chmod(target.c_str(), 0640));
    const bool root = ::geteuid() == 0;
    if (root)
        ASSERT_EQ(0, ::chown(target.c_str(), 12345, 23456));
    ASSERT_EQ(0, ::symlink("real.syx", link.c_str()));
    ASSERT_TRUE(WriteSysExToFile(link, Buffer(kFirst)));
    EXPECT_EQ(kFirst, ReadBytes(target));
    EXPECT_EQ(0640u, ModeOf(target));
    struct stat st;
    ASSERT_EQ(0, ::stat(target.c_str(), &st));
    if (root)
        EXPECT_EQ("12345 23456", Join(st.st_uid, st.st_gid));
    ASSERT_EQ(0, ::lstat(link.c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ((std::vector<std::string>{"link.syx", "new.syx", "real.syx", "t.syx"}), dir.Names()); // no temporary left
}

TEST(SysExFile, AFailedWriteLeavesEveryFileAsItWas)
{
    TempFolder dir;
    const std::string locked = dir.File("locked.syx"), keep = dir.File("keep.syx"), linked = dir.File("linked.syx");
    WriteBytes(locked, kSecond);
    ASSERT_EQ(0, ::chmod(locked.c_str(), 0444));
    const Bytes old = Concat({{0xF0}, Bytes(98, 0x33), {0xF7}});
    WriteBytes(keep, old);
    WriteBytes(linked, old);
    ASSERT_EQ(0, ::link(linked.c_str(), dir.File("linked2.syx").c_str()));
    const SysExBuffer big = Buffer(Concat({{0xF0}, Bytes(8190, 0x12), {0xF7}}));
    for (bool append : {false, true})
        for (const std::string& path : {locked, dir.Path(), dir.File("no/such/folder.syx")})
            EXPECT_FALSE(WriteSysExToFile(path, big, append)) << path;
    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(WriteSysExToFile(keep, big) || WriteSysExToFile(keep, big, true) ||
                     WriteSysExToFile(dir.File("fresh.syx"), big) || WriteSysExToFile(linked, big));
    }
    EXPECT_EQ(kSecond, ReadBytes(locked));
    EXPECT_EQ(old, ReadBytes(keep));
    EXPECT_EQ(old, ReadBytes(linked)); // written in place, and put back
    EXPECT_EQ((std::vector<std::string>{"keep.syx", "linked.syx", "linked2.syx", "locked.syx"}), dir.Names());
    ASSERT_TRUE(WriteSysExToFile(keep, big)); // and fine once there is room
    EXPECT_TRUE(SameBytes(big, ReadBytes(keep)));
}

// A file with other names is written in place, so that every name sees the
// new bytes; so is one that its user may write in a folder they may not.
TEST(SysExFile, LinkedFilesAndFilesInClosedFoldersAreWrittenInPlace)
{
    TempFolder dir;
    const std::string first = dir.File("a.syx"), second = dir.File("b.syx");
    WriteBytes(first, kFirst);
    ASSERT_EQ(0, ::link(first.c_str(), second.c_str()));
    ASSERT_TRUE(WriteSysExToFile(second, Buffer(kSecond)));
    struct stat a, b;
    ASSERT_EQ(0, ::stat(first.c_str(), &a));
    ASSERT_EQ(0, ::stat(second.c_str(), &b));
    EXPECT_EQ(kSecond, ReadBytes(first));
    EXPECT_EQ("2 1", Join(a.st_nlink, a.st_ino == b.st_ino));

    // The folder takes no new file from the user, who may write the file itself.
    const std::string folder = dir.File("shared"), file = folder + "/t.syx";
    ASSERT_EQ(0, ::mkdir(folder.c_str(), 0755));
    WriteBytes(file, kFirst);
    ASSERT_EQ(0, ::chmod(file.c_str(), 0666));
    ASSERT_EQ(0, ::chmod(folder.c_str(), 0555));
    ASSERT_EQ(0, ::chmod(dir.Path().c_str(), 0755));
    EXPECT_EQ("", AsUnprivilegedUser([&] {
        std::string reason;
        if (!WriteSysExToFile(file, Buffer(kSecond), false, reason))
            return "the file was not written: " + reason;
        if (WriteSysExToFile(folder + "/new.syx", Buffer(kFirst), false, reason))
            return std::string("a new file was made");
        return reason == "Permission denied" ? std::string() : "a new file: " + reason;
    }));
    EXPECT_EQ(kSecond, ReadBytes(file));
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ((std::vector<std::string>{"a.syx", "b.syx", "shared"}), dir.Names());
    EXPECT_EQ(1u, std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A file that cannot be read or written gives the system's reason; a file
// that is read but holds no message gives none.
TEST(SysExFile, FailuresGiveTheSystemsReason)
{
    TempFolder dir;
    const std::string locked = dir.File("locked.syx"), hidden = dir.File("hidden.syx"), junk = dir.File("junk.syx");
    WriteBytes(locked, kFirst);
    ASSERT_EQ(0, ::chmod(locked.c_str(), 0444));
    WriteBytes(hidden, kFirst);
    ASSERT_EQ(0, ::chmod(hidden.c_str(), 0000));
    WriteBytes(junk, {0xF0, 0x01});
    ASSERT_EQ(0, ::chmod(dir.Path().c_str(), 0755));
    const std::pair<std::string, std::string> writes[] = {{locked, "Permission denied"},
                                                          {dir.Path(), "Is a directory"},
                                                          {dir.File("no/such.syx"), "No such file or directory"}};
    for (const auto& [path, why] : writes)
        for (bool append : {false, true})
        {
            std::string reason;
            EXPECT_FALSE(WriteSysExToFile(path, Buffer(kSecond), append, reason));
            EXPECT_EQ(why, reason) << path << " append " << append;
        }
    const std::pair<std::string, std::string> reads[] = {
        {dir.Path(), "Is a directory"}, {dir.File("gone.syx"), "No such file or directory"}, {junk, ""},
        {"/dev/zero", "not a regular file"}};
    for (const auto& [path, why] : reads)
    {
        SysExBuffer out;
        std::string reason = "stale";
        EXPECT_FALSE(ReadSysExFromFile(path, out, reason));
        EXPECT_EQ(why, reason) << path;
    }
    EXPECT_EQ("", AsUnprivilegedUser([&] {
        SysExBuffer out;
        std::string reason;
        if (ReadSysExFromFile(hidden, out, reason) || reason != "Permission denied")
            return "read: " + reason;
        return std::string();
    }));
}

// Every way a file is read refuses a FIFO that no one writes, at once: none
// of them waits for a writer first.
// A FIFO waits for no writer; a file far larger than any dump (sparse here) is
// refused unread, though what it begins with would load.
TEST(SysExFile, EveryReaderRefusesAFifoAndAHugeFileAtOnce)
{
    TempFolder dir;
    const std::string fifo = dir.File("pipe.syx"), huge = dir.File("huge.syx");
    const auto bytesOf = [](const SysExBuffer& buffer) { return Bytes(buffer.begin(), buffer.end()); };
    const Bytes dump = bytesOf(CDorvaSynthTemplate().Write());
    TemplateBank templates;
    SysExBuffer allTemplates;
    for (int i = 0; i < templates.GetCount(); ++i)
        allTemplates.Append(templates.GetEntry(i).Write());
    const Bytes templateBank = bytesOf(allTemplates);
    const struct
    {
        const char* what;
        Bytes begins;
        std::function<bool(const std::string&)> read;
    } readers[] = {
        {"a template or an entry", dump,
         [&fifo](const std::string& path) {
             SysExBuffer out;
             std::string reason;
             return ReadSysExFromFile(path, out, reason) || reason != (path == fifo ? "not a regular file" : "");
         }},
        {"a message at an offset", Concat({dump, dump}),
         [](const std::string& path) { SysExBuffer out; return ReadSysExFromFile(path, out, 6); }},
        {"an OS image", dump, [](const std::string& path) { return CDorvaSynthOS().LoadFromFile(path); }},
        {"a template bank", templateBank,
         [](const std::string& path) { TemplateBank bank; return LoadBulkDumpFromFile(bank, path); }},
        {"a patch bank", PatchBankBytes(100),
         [](const std::string& path) { PatchBank bank; return LoadBulkDumpFromFile(bank, path); }},
        {"one bank entry", PatchBankBytes(100),
         [](const std::string& path) { PatchBank bank; size_t at = 0; return bank.LoadEntryFromFile(3, path, at); }},
    };
    for (const auto& [what, begins, read] : readers)
    {
        SCOPED_TRACE(what);
        FifoWatch watch(fifo);
        ASSERT_TRUE(watch.Made());
        EXPECT_FALSE(read(fifo));
        EXPECT_FALSE(watch.Fired()) << "waited for a writer";

        WriteBytes(huge, begins);
        std::filesystem::resize_file(huge, std::uintmax_t(2) << 30);
        const std::uint64_t before = BytesRead();
        EXPECT_FALSE(read(huge));
        EXPECT_LT(BytesRead() - before, 1u << 20) << "read the file";
        std::filesystem::remove(huge);
    }
}

TEST(CalderPatch, WritesBackEveryByteButItsNameLocationAndFlag)
{
    const Bytes dump = PatchDumpBytes("Lead 1", 42, 1, 3);
    CCalderPatch patch = Patch(dump);
    EXPECT_EQ("Lead 1           Lead 1           42 1",
              Join(patch.GetName(), patch.GetFilePath(), patch.GetLocation(), patch.GetBulkFlag()));
    EXPECT_TRUE(SameBytes(patch.Write(), dump));
    EXPECT_FALSE(Patch(PatchDumpBytes("x", 0, 2)).GetBulkFlag()); // only 1 marks a bank entry
    patch.SetName("A very long patch name");
    patch.SetLocation(99);
    patch.SetBulkFlag(false);
    Bytes expected = dump;
    expected[7] = 0, expected[12] = 99;
    std::string name = "A very long patc";
    std::copy(name.begin(), name.end(), expected.begin() + 164);
    EXPECT_TRUE(SameBytes(patch.Write(), expected));
    EXPECT_EQ(99, patch.GetHeader().GetByte(12));

    Bytes longer = PatchDumpBytes("Other", 8), shorter = longer;
    longer.insert(longer.begin() + 100, 0x11);
    shorter.erase(shorter.begin() + 100);
    for (const SysExBuffer& bad : {Buffer(longer), SysExBuffer::FromBytes(shorter), SysExBuffer()})
    {
        size_t position = 0;
        EXPECT_FALSE(patch.Read(bad, position));
    }
    size_t position = 1; // the right length, but not from its start
    EXPECT_FALSE(patch.Read(SysExBuffer::FromBytes(PatchDumpBytes("Other", 8)), position));
    EXPECT_TRUE(SameBytes(patch.Write(), expected));

    const SysExBuffer blank = CCalderPatch().Write();
    EXPECT_TRUE(MatchesGolden(blank, "CalderPatch_fresh"));
    patch.ResetToDefaults(); // forgets the sound too, not only the name
    EXPECT_EQ(blank, patch.Write());
    EXPECT_EQ("", patch.GetFilePath());
    EXPECT_EQ(blank, Patch(blank.bytes()).Write());

    patch = Patch(PatchDumpBytes("Lead 1", 0));
    EXPECT_EQ("Lead 1.syx", patch.GetDefaultFileName());
    patch.SetFilePath("C:\\sounds\\pad.syx");
    EXPECT_EQ("C__sounds_pad.syx", patch.GetDefaultFileName());
    patch.SetFilePath("");
    patch.SetName("Bass: Low/Sub  ");
    EXPECT_EQ("Bass_ Low_Sub.syx", patch.GetDefaultFileName());
}

TEST(Banks, EntriesTakeTheLocationOfTheirPlace)
{
    const std::unique_ptr<IBulkDump> patches = CDorvaSynthAnswers().CreatePatchBulkDump();
    const std::unique_ptr<IBulkDump> templates = CDorvaSynthAnswers().CreateTemplateBulkDump();
    ASSERT_EQ("100 16 270",
              Join(patches->GetCount(), templates->GetCount(), CDorvaSynthAnswers().CreatePatch()->GetSysExSize()));
    EXPECT_FALSE(patches->IsModified() || patches->IsComplete());
    for (IBulkDump* bank : {patches.get(), templates.get()})
        for (int i : {0, 7, 15})
            EXPECT_EQ(256 + i, bank->GetEntry(i).Write()[7] << 8 | bank->GetEntry(i).Write()[12]);
    EXPECT_EQ("Untitled", templates->GetEntry(0).GetName());
    EXPECT_THROW(patches->GetEntry(100), std::out_of_range);

    PatchBank bank;
    CCalderPatch patch = Patch(PatchDumpBytes("Brass", 60, 0));
    ASSERT_TRUE(bank.SetEntry(patch, 4));
    ASSERT_TRUE(bank.SetEntry(Patch(PatchDumpBytes("Fifth", 0, 0)), 5));
    EXPECT_TRUE(bank.IsModified());
    patch.SetName("Changed later");
    bank.SetModified(false);
    EXPECT_FALSE(bank.SetEntry(CDorvaSynthTemplate(), 4));
    EXPECT_FALSE(bank.IsModified());
    bank.SwapEntries(4, 5);
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ("Fifth Brass", NameAt(bank, 4) + " " + NameAt(bank, 5));
    EXPECT_EQ(256 + 4, bank.GetEntry(4).Write()[7] << 8 | bank.GetEntry(4).Write()[12]);
    EXPECT_EQ(5, bank.GetEntry(5).Write()[12]);

    // A template keeps the bits it does not model until its entry is cleared.
    TemplateBank templateBank;
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[60] = 0x2A;
    CDorvaSynthTemplate read;
    ASSERT_TRUE(ReadInto(read, dump));
    ASSERT_TRUE(templateBank.SetEntry(read, 3));
    templateBank.SwapEntries(3, 15);
    EXPECT_EQ(0x2A, templateBank.GetEntry(15).Write()[60]);
    EXPECT_EQ(15, templateBank.GetEntry(15).Write()[12]);
    templateBank.SetModified(false);
    templateBank.ResetEntry(15);
    EXPECT_TRUE(templateBank.IsModified());
    EXPECT_EQ(TemplateBank().GetEntry(15).Write(), templateBank.GetEntry(15).Write());
}

TEST(Banks, FilesHoldTheEntriesBackToBack)
{
    TempFolder dir;
    WriteBytes(dir.File("bank.syx"), PatchBankBytes(100));
    PatchBank bank;
    bank.SetModified(true);
    ASSERT_TRUE(LoadBulkDumpFromFile(bank, dir.File("bank.syx")));
    EXPECT_TRUE(bank.IsComplete() && !bank.IsModified());
    EXPECT_EQ("Patch 99", NameAt(bank, 99));
    bank.SwapEntries(0, 99);
    ASSERT_TRUE(SaveBulkDumpToFile(bank, dir.File("copy.syx")));
    EXPECT_FALSE(bank.IsModified());
    PatchBank again;
    ASSERT_TRUE(LoadBulkDumpFromFile(again, dir.File("copy.syx")));
    EXPECT_EQ(27000u, ReadBytes(dir.File("copy.syx")).size());
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(bank.GetEntry(i).Write(), again.GetEntry(i).Write()) << i;

    // A short or broken file fills the places before the fault.
    Bytes broken = PatchBankBytes(100);
    broken.erase(broken.begin() + 270 + 50);
    for (const Bytes& bytes : {PatchBankBytes(99), broken})
    {
        WriteBytes(dir.File("bad.syx"), bytes);
        PatchBank partial;
        partial.SetComplete(true);
        EXPECT_FALSE(LoadBulkDumpFromFile(partial, dir.File("bad.syx")));
        EXPECT_FALSE(partial.IsComplete());
        EXPECT_EQ("Patch 0", NameAt(partial, 0));
        EXPECT_EQ(PatchBank().GetEntry(99).Write(), partial.GetEntry(99).Write());
    }

    // Bytes before an entry do not bring it back; past the last one nothing changes.
    WriteBytes(dir.File("junk.syx"), Concat({Bytes(300, 0x11), PatchBankBytes(2)}));
    size_t offset = 0;
    ASSERT_TRUE(bank.LoadEntryFromFile(0, dir.File("junk.syx"), offset) &&
                bank.LoadEntryFromFile(1, dir.File("junk.syx"), offset));
    EXPECT_EQ("Patch 1", NameAt(bank, 1));
    EXPECT_FALSE(bank.LoadEntryFromFile(2, dir.File("junk.syx"), offset));
    EXPECT_EQ(840u, offset);
    EXPECT_EQ("Patch 2", NameAt(bank, 2));

    // A locked file is not replaced; one entry leaves the bank as a message of its own.
    const std::string locked = dir.File("locked.syx");
    WriteBytes(locked, {1, 2, 3});
    ASSERT_EQ(0, ::chmod(locked.c_str(), 0444));
    bank.SetModified(true);
    std::string reason;
    EXPECT_FALSE(SaveBulkDumpToFile(bank, locked, reason));
    EXPECT_TRUE(bank.IsModified());
    EXPECT_FALSE(reason.empty()) << "the user is told why";
    ASSERT_TRUE(SaveBulkEntryToFile(bank.GetEntry(17), dir.File("solo.syx"), reason));
    const Bytes saved = ReadBytes(dir.File("solo.syx"));
    EXPECT_EQ("270 0 17 1", Join(saved.size(), saved[7], saved[12], bank.GetEntry(17).Write()[7]));
    EXPECT_FALSE(SaveBulkEntryToFile(bank.GetEntry(17), dir.File("no/such/folder.syx"), reason));
    EXPECT_EQ("No such file or directory", reason);
    EXPECT_EQ(1, bank.GetEntry(17).Write()[7]);

    TemplateBank templates;
    for (int i = 0; i < 16; ++i)
    {
        CDorvaSynthTemplate entry;
        entry.SetName("T" + std::to_string(i));
        templates.SetEntry(entry, i);
    }
    ASSERT_TRUE(SaveBulkDumpToFile(templates, dir.File("bank.blk")));
    EXPECT_EQ(28928u, ReadBytes(dir.File("bank.blk")).size());
    TemplateBank loaded;
    ASSERT_TRUE(LoadBulkDumpFromFile(loaded, dir.File("bank.blk")));
    EXPECT_EQ(templates.GetEntry(9).Write(), loaded.GetEntry(9).Write());
    offset = 0; // a patch is no template
    EXPECT_FALSE(loaded.LoadEntryFromFile(0, dir.File("bank.syx"), offset));
    EXPECT_EQ(0u, offset);
    EXPECT_EQ("T0", loaded.GetEntry(0).GetName());
}
