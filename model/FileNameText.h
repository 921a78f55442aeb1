#pragma once

#include <string>

// '0'-'9', 'A'-'Z', 'a'-'z', '.', '-', '_' and blank: what a proposed file
// name may hold, so also no ':' or path separator.
bool IsFileNameChar(char c);
// The text with every other character replaced by '_'.
std::string MakeFileNameSafe(std::string text);
