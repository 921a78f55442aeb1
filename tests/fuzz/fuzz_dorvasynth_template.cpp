#include "tests/fuzz/ModelFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTemplateReader<CDorvaSynthTemplate>(data, size, 13);
    return 0;
}
