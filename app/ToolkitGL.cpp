#include "app/ToolkitGL.h"

#include <cstdlib>

namespace ToolkitGL
{
namespace
{
bool g_setByUs = false;
} // namespace

void DisableBeforeStart()
{
    if (std::getenv("GDK_GL"))
        return;
    g_setByUs = setenv("GDK_GL", "disable", 0) == 0;
}

void RestoreAfterStart()
{
    if (g_setByUs)
        unsetenv("GDK_GL");
    g_setByUs = false;
}
} // namespace ToolkitGL
