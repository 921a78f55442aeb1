#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/SysExBuffer.h"

// A 270-byte patch dump whose kept bytes are all non-zero and differ with
// the seed, so any byte written from the wrong place shows.
inline std::vector<uint8_t> PatchDumpBytes(const std::string& name, int location, uint8_t bulkFlag = 1,
                                           int seed = 0)
{
    std::vector<uint8_t> bytes(270);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(1 + (i * 7 + seed * 13) % 126);
    const uint8_t header[] = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x02, 0x7F};
    std::copy(std::begin(header), std::end(header), bytes.begin());
    bytes[7] = bulkFlag;
    bytes[12] = static_cast<uint8_t>(location);
    std::string padded = name;
    padded.resize(16, ' ');
    std::copy(padded.begin(), padded.end(), bytes.begin() + 164);
    bytes.back() = 0xF7;
    return bytes;
}

inline SysExBuffer PatchDump(const std::string& name, int location, uint8_t bulkFlag = 1, int seed = 0)
{
    return SysExBuffer::FromBytes(PatchDumpBytes(name, location, bulkFlag, seed));
}
