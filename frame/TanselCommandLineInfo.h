#pragma once
// The command line: the one switch n ("/n" or "-n", exactly, lower case)
// keeps the main window on screen at start; every other argument, switch or
// plain word, changes nothing.
#include "base/Text.h"

class CTanselCommandLineInfo {
 public:
  // Each argument without its leading "/" or "-"; bFlag tells whether it had
  // one, bLast whether it is the last.
  void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);
  // Splits a whole command line (the program's name first) and parses it.
  void ParseCommandLine(const wchar_t* pszCommandLine);

  BOOL m_bShowWindow = FALSE;
};
