#include "settings/CommandTable.h"

#include <algorithm>

#include "settings/Hotkey.h"

namespace {

struct COMMAND {
  uint32_t dwGroup;
  uint32_t dwMessageID;
  const char16_t* pszName;
  uint16_t vkDefault;  // with Ctrl + Alt; 0 for no default hotkey
};

// In display order; the order within a group is the position in this list.
const COMMAND kCommands[] = {
    {0, 1025, u"Show Main Window", 'A'},
    {0, 1026, u"Show Clip Window", '0'},
    {1, 1141, u"Preview First Item", 0},
    {1, 1142, u"Edit First Item", 0},
    {1, 1143, u"Bookmark First Item", '3'},
    {1, 1144, u"Activate First Bookmark", '6'},
    {1, 1125, u"Revert First Items", '9'},
    {1, 1126, u"Uppercase First Item", 0},
    {1, 1127, u"Lowercase First Item", 0},
    {1, 1145, u"Title First Item", 0},
    {1, 1128, u"Smart Make Object First Item", 0x6A},      // Numpad *
    {1, 1130, u"Smart Convert from ID First Item", 0x6B},  // Numpad +
    {1, 1129, u"Smart Convert to ID First Item", 0x6D},    // Numpad -
    {1, 1131, u"Insert date/time - 'yyyy.mm.dd'", 0},
    {1, 1132, u"Insert date/time - 'yyyy-mm-dd'", 0},
    {1, 1133, u"Insert date/time - 'yyyy.mm.dd HH-MM-SS'", 0},
    {1, 1134, u"Insert date/time - 'yyyy-mm-dd HH-MM-SS'", 0},
    {1, 1135, u"Insert date/time - 'yyyy-mm-dd_HH-MM-SS'", 0},
    {1, 1136, u"Insert date/time - 'HH-MM-SS'", 0},
    {1, 1137, u"Insert date/time - 'HH.MM.SS'", 0},
    {1, 1138, u"Insert date/time - 'yyyymmdd'", 0},
    {1, 1139, u"Insert date/time - 'HHMMSS'", 0},
    {1, 1140, u"Insert date/time - 'yyyymmddHHMMSS'", 0},
    {2, 1225, u"Paste Activated Item", 0},
    {2, 1226, u"Reset Clipboard Viewer", 0},
};

// Copies at most 128 units and always terminates.
void CopyName(char16_t (&target)[128], const char16_t* source) {
  size_t i = 0;
  for (; i + 1 < 128 && source[i]; ++i) target[i] = source[i];
  std::fill(target + i, target + 128, u'\0');
}

}  // namespace

void BuildCommandTable(std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands) {
  uint32_t group = 0;
  uint32_t order = 0;
  for (const COMMAND& command : kCommands) {
    if (command.dwGroup != group) {
      group = command.dwGroup;
      order = 0;
    }
    MESSAGE_DESCRIPTION description{};
    description.dwMessageID = command.dwMessageID;
    description.dwGroup = command.dwGroup;
    description.dwOrder = order++;
    CopyName(description.szName, command.pszName);
    mapCommands[command.dwMessageID] = description;
  }
}

uint32_t GetDefaultHotkey(uint32_t messageId) {
  for (const COMMAND& command : kCommands) {
    if (command.dwMessageID == messageId)
      return CHotkey::MakeHotkey(TRUE, TRUE, FALSE, command.vkDefault);
  }
  return 0;
}

std::vector<MESSAGE_DESCRIPTION> GetCommandsInDisplayOrder(
    const std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands) {
  std::vector<MESSAGE_DESCRIPTION> commands;
  commands.reserve(mapCommands.size());
  for (const auto& entry : mapCommands) commands.push_back(entry.second);
  std::sort(commands.begin(), commands.end(),
            [](const MESSAGE_DESCRIPTION& a, const MESSAGE_DESCRIPTION& b) {
              return a.dwGroup != b.dwGroup ? a.dwGroup < b.dwGroup : a.dwOrder < b.dwOrder;
            });
  return commands;
}

CString16 GetCommandName(const std::map<uint32_t, MESSAGE_DESCRIPTION>& mapCommands,
                         uint32_t messageId) {
  const auto it = mapCommands.find(messageId);
  return it == mapCommands.end() ? CString16() : CString16(it->second.szName);
}
