#pragma once

#include <string>

class IBulkDump;
class IBulkEntry;

// Bank files hold the entries' dumps back to back, entry 0 first: a template
// bank (".blk") 16 x 1808 bytes, a patch bank (".syx") 100 x 270 bytes.

// Marks the bank not complete, then loads entry 0, 1, ... each from the next
// message of the file, and stops at the first that fails (false; the entries
// before it are loaded). A file with every entry marks the bank complete and
// not modified: it now holds what the file holds.
bool LoadBulkDumpFromFile(IBulkDump& dump, const std::string& path);
// Writes every entry, replacing the file only once the whole bank is written.
// On success the bank is not modified any more. On failure reason holds the
// system's words for it.
bool SaveBulkDumpToFile(IBulkDump& dump, const std::string& path, std::string& reason);
bool SaveBulkDumpToFile(IBulkDump& dump, const std::string& path);
// One entry on its own, as a single dump that is not part of a bank (bulk
// flag 0); the entry keeps its bulk flag set afterwards, as a bank entry.
bool SaveBulkEntryToFile(IBulkEntry& entry, const std::string& path, std::string& reason);
