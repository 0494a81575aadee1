#include "ui/TextServicesWin32.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <ctime>
#include <vector>

#include "ui/WinText.h"

namespace {

// The Win32 text calls count in int.
constexpr size_t kMaxCall = INT_MAX;
// Classification goes through a WORD buffer on the stack, this many units at
// a time.
constexpr size_t kClassifyChunk = 4096;

}  // namespace

void CTextServicesWin32::MapCase(char16_t* text, size_t length, bool upper) {
  // LCMapStringW may write in place for the plain case mappings, which keep
  // the length (ß stays ß).
  const DWORD dwFlags = upper ? LCMAP_UPPERCASE : LCMAP_LOWERCASE;
  while (length > 0) {
    const int n = static_cast<int>(std::min(length, kMaxCall));
    ::LCMapStringW(LOCALE_USER_DEFAULT, dwFlags, WinText(text), n, WinText(text), n);
    text += n;
    length -= static_cast<size_t>(n);
  }
}

void CTextServicesWin32::Classify(const char16_t* text, size_t length, uint8_t* flags) {
  WORD types[kClassifyChunk];
  while (length > 0) {
    const size_t n = std::min(length, kClassifyChunk);
    if (!::GetStringTypeExW(LOCALE_USER_DEFAULT, CT_CTYPE1, WinText(text), static_cast<int>(n),
                            types))
      std::fill(types, types + n, WORD(0));
    for (size_t i = 0; i < n; ++i) {
      uint8_t f = 0;
      if (types[i] & (C1_ALPHA | C1_DIGIT)) f |= kAlnum;
      if (types[i] & C1_UPPER) f |= kUpper;
      flags[i] = f;
    }
    text += n;
    flags += n;
    length -= n;
  }
}

int64_t CTextServicesWin32::Now() { return _time64(nullptr); }

bool CTextServicesWin32::ToLocalTime(int64_t time, std::tm& out) {
  const __time64_t t = time;
  return _localtime64_s(&out, &t) == 0;
}

bool CTextServicesWin32::FormatTime(const CString16& format, const std::tm& time, size_t capacity,
                                    CString16& out) {
  out.clear();
  if (format.empty()) return capacity > 0;
  if (capacity == 0) return false;
  // One unit more than allowed: some runtimes report a result that fills the
  // whole buffer without its terminator, so the fit is judged here.
  std::vector<wchar_t> buffer(capacity + 1);
  const size_t n = wcsftime(buffer.data(), buffer.size(), WinText(format), &time);
  // 0 for a non-empty format means the result did not fit.
  if (n == 0 || n >= capacity) return false;
  out.assign(PortableText(buffer.data()), n);
  return true;
}
