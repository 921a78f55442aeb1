#pragma once

#include <cstddef>
#include <string>

#include "model/SysExBuffer.h"

// Reads the first SysEx message that starts at or after byte offset of the
// file: bytes before its F0 are skipped, the message's bytes go through
// PushByte, reading stops after its F7. Answers SysExBuffer::IsValid of what
// was read, so a file that ends before the F7 gives false. A path that cannot
// be opened or is not a regular file gives false and leaves out untouched, as
// does a file far larger than any dump (over 64 MiB), which is not read.
bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset = 0);
// The same, and next := the offset just past the F7 that ended the message
// (set only when an F7 was read).
bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset, size_t& next);
// From the start of the file; when the file could not be opened or read,
// reason holds the system's words for it (empty when it was read but holds no
// valid message).
bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, std::string& reason);

// Writes the buffer's bytes to the file, created with rw permission for all
// (less the umask) when it does not exist. False when the file exists but is
// read-only or not a regular file, and on any failed write or close; reason
// then holds the system's words for it (e.g. "Permission denied").
// Without append the bytes go to a temporary file in the same folder that
// replaces the target only once completely written, so a failure never costs
// the old file. A file with other names (a symbolic link, hard links) and one
// whose folder takes no new file are written in place instead, the old bytes
// put back when the new ones cannot be written. With append a failed write is
// cut back off the end.
bool WriteSysExToFile(const std::string& path, const SysExBuffer& buffer, bool append, std::string& reason);
bool WriteSysExToFile(const std::string& path, const SysExBuffer& buffer, bool append = false);

// Writes a new file that only this user can read, for a shared folder such as
// the temporary one: never through a symbolic link and never over a file that
// is not this user's own. Our own earlier file of that name is replaced; when
// the name is taken by anything else, a new name beside it is made. written:
// the path the bytes went to.
bool WritePrivateFile(const std::string& path, const SysExBuffer& buffer, std::string& written);
