#pragma once

// The toolkit probes the display for GL when it starts and maps tens of
// megabytes for it (a software rasteriser and its compiler); the editor never
// draws with GL. These keep it from probing without changing what the user
// chose or what programs started from the editor see.
namespace ToolkitGL
{
// Before the toolkit starts: GDK_GL=disable, unless the user set GDK_GL.
void DisableBeforeStart();
// Once the toolkit has read it: the environment as the user gave it again,
// for the programs the editor starts (the browser, the report program).
void RestoreAfterStart();
} // namespace ToolkitGL
