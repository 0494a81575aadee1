#pragma once
// Failed registry accesses shown to the user: an OK box titled "Tansel".
#include "settings/SettingsMessages.h"

class CSettingsMessagesWin32 : public ISettingsMessages {
 public:
  void ShowError(const CString16& text) override;
};
