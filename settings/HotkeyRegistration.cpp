#include "settings/HotkeyRegistration.h"

#include "settings/ApplicationRegistry.h"

void RegisterHotkeys(std::map<uint32_t, MESSAGE_DESCRIPTION>& m_mapCommands,
                     IHotkeyRegistrar& accelerator) {
  BuildCommandTable(m_mapCommands);
  // One settings object for the whole walk.
  CApplicationRegistry registry;
  for (const auto& entry : m_mapCommands)
    accelerator.AddHotkeyMessageID(registry.GetHotkey(entry.first), entry.first);
}
