#include "model/SysExBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SysExBuffer buffer = SysExBuffer::FromBytes(data, size);
    if (buffer.size() > size)
        __builtin_trap();
    for (size_t i = 0; i < buffer.size(); ++i)
        if ((buffer[i] & 0x80) && buffer[i] != 0xF0 && buffer[i] != 0xF7)
            __builtin_trap();
    (void)buffer.IsValid();
    return 0;
}
