#pragma once
// 16-bit Unicode text as the whole program stores it. wchar_t is 32 bits on
// Linux, so the portable code uses char16_t; the Win32 side converts pointers
// with the helpers in ui/WinText.h.
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

// ASCII case, the same in every locale.
inline char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }
inline char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

// UTF-8 <-> UTF-16 for tests, messages and the native runtime.
std::u16string Utf16FromUtf8(const std::string& s);
std::string Utf8FromUtf16(const std::u16string& s);
