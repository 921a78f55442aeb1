#include "model/FileNameText.h"

#include <algorithm>

bool IsFileNameChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '-' || c == '_' || c == ' ';
}

std::string MakeFileNameSafe(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return !IsFileNameChar(c); }, '_');
    return text;
}
