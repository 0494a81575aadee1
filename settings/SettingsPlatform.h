#pragma once
// The store, message sink and program file every settings object uses.
// Settings objects are made on the stack wherever a setting is needed, so they
// find the platform here instead of having it passed through every caller.
// Start-up installs the registry; tests install an in-memory store. Nothing
// installed behaves like a store that cannot be opened: defaults, and no
// messages; without a program file no logon entry is written.
#include "settings/KeyStore.h"
#include "settings/ProgramFile.h"
#include "settings/SettingsMessages.h"

void SetSettingsPlatform(IKeyStore* store, ISettingsMessages* messages,
                         IProgramFile* programFile = nullptr);
IKeyStore* GetSettingsKeyStore();
ISettingsMessages* GetSettingsMessages();
IProgramFile* GetSettingsProgramFile();
