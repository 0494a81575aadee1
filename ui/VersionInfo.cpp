#include "ui/VersionInfo.h"

#include <vector>

BOOL ReadProductVersion(const wchar_t* path, WORD (&parts)[4]) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return FALSE;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(path, 0, size, block.data())) return FALSE;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return FALSE;
  parts[0] = HIWORD(info->dwProductVersionMS);
  parts[1] = LOWORD(info->dwProductVersionMS);
  parts[2] = HIWORD(info->dwProductVersionLS);
  parts[3] = LOWORD(info->dwProductVersionLS);
  return TRUE;
}
