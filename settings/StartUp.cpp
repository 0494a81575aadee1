#include "settings/StartUp.h"

#include "settings/ApplicationRegistry.h"

void RegisterHotkeys(std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands,
                     IHotkeyRegistrar& accelerator) {
  BuildCommandTable(mapCommands);
  // One settings object for the whole walk.
  CApplicationRegistry registry;
  for (const auto& entry : mapCommands)
    accelerator.AddHotkeyMessageID(registry.GetHotkey(entry.first), entry.first);
}

void HandleFirstRun() {
  CApplicationRegistry registry;
  if (!registry.GetFirstRun()) return;
  registry.SetFirstRun(0);
  registry.SetStartWithWindows(TRUE);
}
