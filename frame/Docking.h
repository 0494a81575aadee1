#pragma once
// Snapping the main window to the screen's edges while it is dragged.
#include <windows.h>

// The rectangle a dragged window takes: placed where the cursor holds it,
// then snapped, in this order, to the top (y 0), the left (x 0), the work
// area's right and its bottom edge when within 12 pixels of it. The size of
// the proposed rectangle is kept; the later snap wins over the earlier.
RECT DockedRect(const RECT& proposed, POINT cursor, POINT grabOffset, const RECT& workArea);
