#include "model/BulkDumpFile.h"

#include "model/BulkDump.h"
#include "model/SysExFile.h"

bool LoadBulkDumpFromFile(IBulkDump& dump, const std::string& path)
{
    dump.SetComplete(false);
    size_t offset = 0;
    for (int i = 0; i < dump.GetCount(); ++i)
    {
        if (!dump.LoadEntryFromFile(i, path, offset))
            return false;
    }
    dump.SetComplete(true);
    dump.SetModified(false);
    return true;
}

bool SaveBulkDumpToFile(IBulkDump& dump, const std::string& path, std::string& reason)
{
    SysExBuffer bank;
    for (int i = 0; i < dump.GetCount(); ++i)
        bank.Append(dump.GetEntry(i).Write());
    if (!WriteSysExToFile(path, bank, false, reason))
        return false;
    dump.SetModified(false);
    return true;
}

bool SaveBulkDumpToFile(IBulkDump& dump, const std::string& path)
{
    std::string reason;
    return SaveBulkDumpToFile(dump, path, reason);
}

bool SaveBulkEntryToFile(IBulkEntry& entry, const std::string& path, std::string& reason)
{
    entry.SetBulkFlag(false);
    const bool written = WriteSysExToFile(path, entry.Write(), false, reason);
    entry.SetBulkFlag(true);
    return written;
}
