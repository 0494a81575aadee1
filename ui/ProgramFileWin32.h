#pragma once
// The program's own file, as Windows reports it.
#include "settings/ProgramFile.h"

class CProgramFileWin32 : public IProgramFile {
 public:
  bool GetExecutablePath(CString16& path) override;
};
