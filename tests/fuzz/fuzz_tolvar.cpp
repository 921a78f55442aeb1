#include "model/tolvar/TolvarTemplate.h"
#include "tests/fuzz/ModelFuzz.h"

// A dump of the older layout is kept, and written back, converted.
static void Converted(SysExBuffer& dump)
{
    CTolvarTemplate::ConvertOlderLayout(dump, 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTemplateReader<CTolvarTemplate>(data, size, 13, Converted);
    return 0;
}
