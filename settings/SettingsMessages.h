#pragma once
// Where the settings report a failed registry access. The portable code never
// shows a window; the application supplies a message box.
#include "base/Text.h"

class ISettingsMessages {
 public:
  virtual ~ISettingsMessages() = default;
  // An OK box titled with the application's name.
  virtual void ShowError(const CString16& text) = 0;
};
