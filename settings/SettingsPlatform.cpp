#include "settings/SettingsPlatform.h"

namespace {
IKeyStore* g_pKeyStore = nullptr;
ISettingsMessages* g_pMessages = nullptr;
}  // namespace

void SetSettingsPlatform(IKeyStore* store, ISettingsMessages* messages) {
  g_pKeyStore = store;
  g_pMessages = messages;
}

IKeyStore* GetSettingsKeyStore() { return g_pKeyStore; }

ISettingsMessages* GetSettingsMessages() { return g_pMessages; }
