#pragma once
// The store and message sink every settings object uses. Settings objects are
// made on the stack wherever a setting is needed, so they find the platform
// here instead of having it passed through every caller. main installs the
// registry; tests install an in-memory store. Nothing installed behaves like a
// store that cannot be opened: defaults, and no messages.
#include "settings/KeyStore.h"
#include "settings/SettingsMessages.h"

void SetSettingsPlatform(IKeyStore* store, ISettingsMessages* messages);
IKeyStore* GetSettingsKeyStore();
ISettingsMessages* GetSettingsMessages();
