#pragma once

// The MIDI input targets' reading of an input: the first byte sets the size of
// the pieces the driver hands over (1 to 256 bytes), the rest is the stream,
// SysEx and noise alike. Expected() is the rule of assembly written plainly:
// bytes before an F0 are dropped, a message ends at its F7 (the rest of that
// piece is not looked at), and one reaching kMaxSysExReceiveLength without an
// F7 ends when its next byte arrives, its last stored byte then an F7.
#include <algorithm>
#include <vector>

#include "midi/MidiMessages.h"

using Bytes = std::vector<uint8_t>;

inline std::vector<Bytes> Pieces(const uint8_t* data, size_t size)
{
    std::vector<Bytes> pieces;
    if (size == 0)
        return pieces;
    const size_t length = 1 + data[0];
    for (size_t at = 1; at < size; at += length)
        pieces.emplace_back(data + at, data + std::min(size, at + length));
    return pieces;
}

inline std::vector<Bytes> Expected(const std::vector<Bytes>& pieces)
{
    std::vector<Bytes> messages;
    Bytes current;
    for (const Bytes& piece : pieces)
        for (uint8_t byte : piece)
        {
            if (current.empty() && byte != 0xF0)
                continue;
            if (current.size() == kMaxSysExReceiveLength)
                current.back() = 0xF7;
            else
                current.push_back(byte);
            if (current.back() == 0xF7)
            {
                messages.push_back(current);
                current.clear();
                break;
            }
        }
    return messages;
}
