#pragma once
// The settings' part of start-up: the first start, and the registration of
// every command with the system-wide accelerator.
#include <cstdint>
#include <map>

#include "settings/CommandTable.h"

// What the system-wide accelerator offers the registration.
class IHotkeyRegistrar {
 public:
  virtual ~IHotkeyRegistrar() = default;
  virtual void AddHotkeyMessageID(uint32_t hotkey, uint32_t messageId) = 0;
};

// Builds the table, then hands every command's stored hotkey (0 included) to
// the accelerator.
void RegisterHotkeys(std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands,
                     IHotkeyRegistrar& accelerator);

// At the very first start (FirstRun nonzero): FirstRun becomes 0, then the
// program starts with Windows. Later starts change nothing, so a logon entry
// the user removed stays removed.
void HandleFirstRun();
