#pragma once
// The commands that can be bound to system-wide hotkeys. A command's message
// id is also the name of its stored hotkey, so the ids are part of the
// settings format and never change.
#include <cstdint>
#include <map>
#include <vector>

#include "base/Text.h"

struct MESSAGE_DESCRIPTION {
  uint32_t dwMessageID;
  uint32_t dwGroup;  // 0 View, 1 Edit, 2 Options
  uint32_t dwOrder;  // position within the group
  char16_t szName[128];
};

// Fills the map with every command, keyed by message id.
void BuildCommandTable(std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands);

// The built-in hotkey of a command; 0 for commands without one and for ids
// that name no command.
uint32_t GetDefaultHotkey(uint32_t messageId);

// The command's name; empty for an id that names no command.
CString16 GetCommandName(const std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands,
                         uint32_t messageId);

// The commands sorted for display: by group, then by order within it.
std::vector<MESSAGE_DESCRIPTION> GetCommandsInDisplayOrder(
    const std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands);
