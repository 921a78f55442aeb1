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

bool SaveBulkDumpToFile(IBulkDump& dump, const std::string& path)
{
    SysExBuffer bank;
    for (int i = 0; i < dump.GetCount(); ++i)
        bank.Append(dump.GetEntry(i).Write());
    if (!WriteSysExToFile(path, bank))
        return false;
    dump.SetModified(false);
    return true;
}

bool SaveBulkEntryToFile(IBulkEntry& entry, const std::string& path)
{
    entry.SetBulkFlag(false);
    const bool written = WriteSysExToFile(path, entry.Write());
    entry.SetBulkFlag(true);
    return written;
}
