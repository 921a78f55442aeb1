// Loading a bank file against the in-memory rule: entry after entry, until a
// message is missing or refused; the bank is complete only with all loaded.
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/calder/CalderPatch.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/fuzz/FuzzTempFile.h"

namespace
{
template <typename T, int N>
void Check(const std::string& path, const uint8_t* data, size_t size)
{
    CBulkDump<T, N> bank;
    const bool ok = LoadBulkDumpFromFile(bank, path);
    int loaded = 0;
    for (const SysExBuffer& message : MessagesIn(data, size))
    {
        T expected;
        size_t position = 0;
        if (loaded == N || !expected.Read(message, position))
            break;
        if (bank.GetEntry(loaded++).Write() != expected.Write())
            __builtin_trap();
    }
    if (ok != (loaded == N) || bank.IsComplete() != ok)
        __builtin_trap();
    const SysExBuffer fresh = T().Write();
    for (int i = loaded; i < N; ++i)
    {
        SysExBuffer placed = bank.GetEntry(i).Write();
        placed[CSysExHeader::kBulkFlagByte] = fresh[CSysExHeader::kBulkFlagByte];
        placed[CSysExHeader::kLocationByte] = fresh[CSysExHeader::kLocationByte];
        if (placed != fresh)
            __builtin_trap();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzTempFile file;
    const std::string& path = file.Hold(data, size);
    Check<CCalderPatch, 100>(path, data, size);
    Check<CDorvaSynthTemplate, 16>(path, data, size);
    return 0;
}
