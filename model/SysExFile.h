#pragma once

#include <cstddef>
#include <string>

#include "model/SysExBuffer.h"

// Reads the first SysEx message that starts at or after byte offset of the
// file: bytes before its F0 are skipped, the message's bytes go through
// PushByte, reading stops after its F7. Answers SysExBuffer::IsValid of what
// was read, so a file that ends before the F7 gives false. A path that cannot
// be opened or is not a regular file gives false and leaves out untouched.
bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset = 0);
// The same, and next := the offset just past the F7 that ended the message
// (set only when an F7 was read).
bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset, size_t& next);

// Writes the buffer's bytes to the file, created with rw permission for all
// (less the umask) when it does not exist. False when the file exists but is
// read-only or not a regular file, and on any failed write or close. Without
// append the bytes go to a temporary file in the same folder that replaces the
// target only once completely written, so a failure never costs the old file;
// with append a failed write is cut back off the end.
bool WriteSysExToFile(const std::string& path, const SysExBuffer& buffer, bool append = false);
