#pragma once

#include <string>

// True when path is a regular file holding a whole shared object of this
// process's kind: its ELF header and program headers are there, and every
// segment they map lies inside the file. Reads at most the headers, never
// waits (a FIFO or a device is refused before it is read) and loads nothing.
//
// The loader maps a library's segments from the file; a file cut short (a
// plug-in still being copied) maps pages past its end, and touching them
// kills the process with SIGBUS inside the loader.
bool IsWholeSharedObject(const std::string& path);
