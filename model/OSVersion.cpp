#include "model/OSVersion.h"

#include <cstdio>
#include <tuple>

OSVersion OSVersion::Decode(unsigned char b1, unsigned char b2)
{
    OSVersion v;
    v.major = b1 >> 3;
    v.minor = b1 & 7;
    v.build = b2;
    return v;
}

std::string OSVersion::Format() const
{
    char text[48];
    std::snprintf(text, sizeof text, "%d.%d.%2.2d", major, minor, build);
    return text;
}

bool OSVersion::IsGreater(const OSVersion& a, const OSVersion& b)
{
    return std::tie(a.major, a.minor, a.build) > std::tie(b.major, b.minor, b.build);
}

bool OSVersion::IsEqual(const OSVersion& a, const OSVersion& b)
{
    return a.major == b.major && a.minor == b.minor && a.build == b.build;
}

bool OSVersion::IsOlder(const OSVersion& a, const OSVersion& b)
{
    return !IsGreater(a, b) && !IsEqual(a, b);
}
