#pragma once
// What the settings need to know of the program's own file: the logon entry
// starts the program by its full path.
#include "base/Text.h"

class IProgramFile {
 public:
  virtual ~IProgramFile() = default;
  // GetModuleFileNameW(no module) into 260 characters: the executable's full
  // path; false when it fails or does not fit.
  virtual bool GetExecutablePath(CString16& path) = 0;
};
