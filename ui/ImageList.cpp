#include "ui/ImageList.h"

CImageListHandle CreateImageList(int width, int height, UINT flags, int initial, int grow) {
  return CImageListHandle(::ImageList_Create(width, height, flags, initial, grow));
}

int AddMaskedBitmap(HIMAGELIST list, UINT bitmapId, COLORREF mask) {
  CBitmapHandle bitmap(
      static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap || !list) return -1;
  // The list copies the picture; the bitmap stays ours.
  return ::ImageList_AddMasked(list, bitmap.Get(), mask);
}
