#include "model/calder/CalderTemplate.h"
#include "tests/fuzz/ModelFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTemplateReader<CCalderTemplate>(data, size, 13);
    return 0;
}
