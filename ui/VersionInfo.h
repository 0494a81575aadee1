#pragma once
// The product version in a program file's version record.
#include <windows.h>

// The four 16-bit parts, most significant first; FALSE when the file has no
// version record or it cannot be read.
BOOL ReadProductVersion(const wchar_t* path, WORD (&parts)[4]);
