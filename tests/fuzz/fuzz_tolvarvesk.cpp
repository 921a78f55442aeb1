#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/fuzz/ModelFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTemplateReader<CTolvarVeskTemplate>(data, size, 13);
    return 0;
}
