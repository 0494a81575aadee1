#pragma once
// Row pictures for list views: an image list filled from bitmap resources,
// each with its transparent colour.
#include <windows.h>
#include <commctrl.h>

#include "ui/Handles.h"

CImageListHandle CreateImageList(int width, int height, UINT flags, int initial, int grow);

// Adds bitmap resource bitmapId with mask as its transparent colour; the
// picture's index, or -1.
int AddMaskedBitmap(HIMAGELIST list, UINT bitmapId, COLORREF mask);

// True when every pixel of the bitmap resource is the colour: a picture that
// its mask makes wholly transparent, which draws nothing.
bool IsBitmapAllColour(UINT bitmapId, COLORREF colour);
