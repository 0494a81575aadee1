#pragma once
// Case-insensitive names as _wcsicmp compares them in the C locale: only the
// ASCII letters fold. Every key and value name the settings use is ASCII.
#include "base/Text.h"

CString16 FoldCase(const CString16& text);
bool EqualsNoCase(const CString16& a, const CString16& b);
