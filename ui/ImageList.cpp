#include "ui/ImageList.h"

#include <vector>

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

bool IsBitmapAllColour(UINT bitmapId, COLORREF colour) {
  CBitmapHandle bitmap(
      static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) return false;
  // Read back as 32-bit top-down rows, whatever the resource's depth.
  BITMAP info{};
  if (!::GetObjectW(bitmap.Get(), sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return false;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  HDC hdc = ::GetDC(nullptr);
  const int nRows =
      ::GetDIBits(hdc, bitmap.Get(), 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, hdc);
  if (nRows != info.bmHeight) return false;
  // DIB pixels are blue, green, red from the low byte up.
  const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (DWORD pixel : pixels)
    if ((pixel & 0xFFFFFF) != wanted) return false;
  return true;
}
