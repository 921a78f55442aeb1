#include "model/BulkReading.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "tests/fuzz/ModelFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTemplateReader<CTolvarDrelTemplate>(data, size, 6);
    SysExBuffer bytes; // a header-less bank entry anywhere in the input
    for (size_t i = 0; i < size; ++i)
        bytes.PushByte(data[i]);
    ScopedBulkReading bulk(true);
    CTolvarDrelTemplate entry;
    size_t position = size > 0 ? data[0] % (size + 1) : 0;
    if (entry.ParseSysEx(bytes, position))
        (void)entry.SerialiseSysEx();
    return 0;
}
