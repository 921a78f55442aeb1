#pragma once

#include <string>

// Version of the unit's operating system. On the wire it is two bytes
// (header bytes 9 and 10): major = b1 >> 3, minor = b1 & 7, build = b2.
struct OSVersion
{
    int major = 0;
    int minor = 0;
    int build = 0;

    static OSVersion Decode(unsigned char b1, unsigned char b2);
    // "%d.%d.%2.2d", e.g. "2.1.06".
    std::string Format() const;

    static bool IsGreater(const OSVersion& a, const OSVersion& b);
    static bool IsEqual(const OSVersion& a, const OSVersion& b);
    static bool IsOlder(const OSVersion& a, const OSVersion& b);
};
