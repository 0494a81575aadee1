#pragma once
// Sizes that the program gives in pixels are meant at 96 dots per inch (100 %
// scaling); on a screen with more dots they grow in proportion, as the
// dialogs' own layout does.
#include <windows.h>

// The dots per inch of the screen a window is on.
UINT WindowDpi(HWND hWnd);
inline int ScaleForDpi(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); }
