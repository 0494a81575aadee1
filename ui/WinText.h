#pragma once
// The portable code keeps UTF-16 in char16_t; Win32 takes the same units as
// wchar_t, which is 16 bits wide on Windows. Only the pointer type differs.
#include <cstddef>

#include "base/Text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters must be UTF-16 units");

inline const wchar_t* WinText(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* WinText(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const wchar_t* WinText(const CString16& text) { return WinText(text.c_str()); }

inline const char16_t* PortableText(const wchar_t* text) {
  return reinterpret_cast<const char16_t*>(text);
}
inline char16_t* PortableText(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }
inline CString16 PortableString(const wchar_t* text, size_t length) {
  return CString16(PortableText(text), length);
}
