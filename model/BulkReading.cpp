#include "model/BulkReading.h"

namespace
{
bool g_bulkReading = false;
}

bool IsBulkReading()
{
    return g_bulkReading;
}

void SetBulkReading(bool on)
{
    g_bulkReading = on;
}
