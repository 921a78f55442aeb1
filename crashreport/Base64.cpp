#include "crashreport/Base64.h"

#include <algorithm>

namespace
{
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const std::size_t kBytesPerLine = 54;
} // namespace

void Base64Encode(const unsigned char* bytes, std::size_t length, std::string& output)
{
    for (std::size_t lineStart = 0; lineStart < length; lineStart += kBytesPerLine)
    {
        const std::size_t lineEnd = std::min(length, lineStart + kBytesPerLine);
        std::size_t i = lineStart;
        for (; i + 3 <= lineEnd; i += 3)
        {
            const unsigned group = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
            output += kAlphabet[(group >> 18) & 0x3F];
            output += kAlphabet[(group >> 12) & 0x3F];
            output += kAlphabet[(group >> 6) & 0x3F];
            output += kAlphabet[group & 0x3F];
        }
        const std::size_t rest = lineEnd - i;
        if (rest > 0)
        {
            const unsigned group = (bytes[i] << 16) | (rest == 2 ? bytes[i + 1] << 8 : 0);
            output += kAlphabet[(group >> 18) & 0x3F];
            output += kAlphabet[(group >> 12) & 0x3F];
            output += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
            output += '=';
        }
        output += '\n';
    }
}
