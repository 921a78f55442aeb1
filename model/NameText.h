#pragma once

#include <string>

// ASCII case and blank helpers for control names (names in dumps are 7-bit).
std::string LowerCase(std::string text);
std::string TrimTrailingBlanks(const std::string& text);
