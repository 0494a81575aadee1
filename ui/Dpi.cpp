#include "ui/Dpi.h"

UINT WindowDpi(HWND hWnd) {
  // Per monitor where the system knows it (Windows 10 and later), else the
  // system's one setting.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto pfnGetDpiForWindow =
      reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
          ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (pfnGetDpiForWindow && hWnd) {
    if (const UINT dpi = pfnGetDpiForWindow(hWnd)) return dpi;
  }
  HDC hdc = ::GetDC(nullptr);
  const int dpi = hdc ? ::GetDeviceCaps(hdc, LOGPIXELSX) : 96;
  if (hdc) ::ReleaseDC(nullptr, hdc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}
