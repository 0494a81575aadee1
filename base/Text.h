#pragma once
// What every part of the program shares: 16-bit Unicode text as the whole
// program stores it, the Windows BOOL, and ASCII helpers. wchar_t is 32 bits
// on Linux, so the portable code uses char16_t; the Win32 side converts
// pointers with the helpers in ui/WinText.h.
#include <cstddef>
#include <cstdint>
#include <string>

using CString16 = std::u16string;

// Windows BOOL: 32-bit, non-zero is true.
using BOOL = int;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// ASCII case and classes, the same in every locale.
inline bool IsAscii(char16_t c) { return c < 0x80; }
inline bool AsciiAlnum(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
inline char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }
inline char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

// UTF-8 <-> UTF-16 for tests, messages and the native runtime.
std::u16string Utf16FromUtf8(const std::string& s);
std::string Utf8FromUtf16(const std::u16string& s);
