#pragma once

#include <string>

class wxMBConv;

// The toolkit's file store stops the program with an assertion box on two
// kinds of line: a value whose name is empty ("=x") and the header of a group
// it has already met ("[a]" twice, or "[a]" after "[/a]"). Neither can be a
// preference of ours, so such a line, and for a header the lines under it,
// is damage that is left out: what it held takes its default.

// The text without those lines; every other line keeps its bytes. conv
// reads the text as the store does.
std::string WithoutUnreadableLines(const std::string& text, const wxMBConv& conv);

// Rewrites the file without those lines (through a temporary file beside
// it), when it holds any. A file that is missing, no regular file or cannot
// be rewritten is left as it is.
void RepairPreferenceFile(const std::string& path, const wxMBConv& conv);
