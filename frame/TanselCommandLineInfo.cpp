#include "frame/TanselCommandLineInfo.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

void CTanselCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL) {
  // A plain argument would be a file to open; the program opens none.
  if (!bFlag) return;
  if (std::wcscmp(pszParam, L"n") == 0) m_bShowWindow = TRUE;
}

void CTanselCommandLineInfo::ParseCommandLine(const wchar_t* pszCommandLine) {
  int nArgs = 0;
  wchar_t** args = ::CommandLineToArgvW(pszCommandLine, &nArgs);
  if (!args) return;
  for (int i = 1; i < nArgs; ++i) {
    const wchar_t* arg = args[i];
    const BOOL bFlag = arg[0] == L'/' || arg[0] == L'-';
    ParseParam(bFlag ? arg + 1 : arg, bFlag, i == nArgs - 1);
  }
  ::LocalFree(args);
}
