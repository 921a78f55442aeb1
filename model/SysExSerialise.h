#pragma once

#include <cstddef>

#include "model/SysExBuffer.h"

// Everything that reads itself from and writes itself to SysEx bytes.
// Read starts at position and, on success, leaves it just past what it
// consumed; a failed Read may leave the object partly changed and the
// position anywhere, and the caller words the message. Write returns the
// object's bytes, each appended through SysExBuffer::PushByte.
class ISysExSerialise
{
public:
    virtual ~ISysExSerialise() = default;
    virtual bool Read(const SysExBuffer& bytes, size_t& position) = 0;
    virtual SysExBuffer Write() const = 0;
};
