#include "model/tolvar/TolvarTemplate.h"
#include "tests/fuzz/ModelFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A dump of the older layout is kept, and written back, converted.
    FuzzTemplateReader<CTolvarTemplate>(data, size, 13,
                                        [](SysExBuffer& dump) { CTolvarTemplate::ConvertOlderLayout(dump, 0); });
    return 0;
}
