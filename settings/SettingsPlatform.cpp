#include "settings/SettingsPlatform.h"

namespace {
IKeyStore* g_pKeyStore = nullptr;
ISettingsMessages* g_pMessages = nullptr;
IProgramFile* g_pProgramFile = nullptr;
}  // namespace

void SetSettingsPlatform(IKeyStore* store, ISettingsMessages* messages, IProgramFile* programFile) {
  g_pKeyStore = store;
  g_pMessages = messages;
  g_pProgramFile = programFile;
}

IKeyStore* GetSettingsKeyStore() { return g_pKeyStore; }

ISettingsMessages* GetSettingsMessages() { return g_pMessages; }

IProgramFile* GetSettingsProgramFile() { return g_pProgramFile; }
