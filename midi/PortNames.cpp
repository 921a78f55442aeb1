#include "midi/PortNames.h"

#include <cctype>

namespace
{
bool AllDigits(const std::string& text, size_t from, size_t to)
{
    if (from >= to)
        return false;
    for (size_t i = from; i < to; ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}
} // namespace

namespace PortNames
{
std::string StripAddress(const std::string& name)
{
    const size_t space = name.rfind(' ');
    if (space == std::string::npos)
        return name;
    const size_t colon = name.find(':', space);
    if (colon == std::string::npos || !AllDigits(name, space + 1, colon) ||
        !AllDigits(name, colon + 1, name.size()))
        return name;
    return name.substr(0, space);
}

bool IsOwnPort(const std::string& name, const std::string& clientName)
{
    if (clientName.empty() || name.compare(0, clientName.size(), clientName) != 0)
        return false;
    const size_t end = clientName.size();
    if (end < name.size() && name[end] == ':')
        return true;
    if (end >= name.size() || name[end] != '-')
        return false;
    const size_t colon = name.find(':', end);
    return colon != std::string::npos && AllDigits(name, end + 1, colon);
}
} // namespace PortNames
