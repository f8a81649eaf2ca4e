// Loads a bitmap resource with its black, greys and white replaced by the current 3-D system
// colours, as a bitmap compatible with the screen.
#pragma once

#include <windows.h>

// NULL when the resource is missing or unreadable.
HBITMAP GXLoadSysColorBitmap(HINSTANCE hInstance, UINT nResourceId);
