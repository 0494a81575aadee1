// The hotkey commands: their rows, display order and start-up registration.
#include <gtest/gtest.h>

#include "settings/CommandTable.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

// In display order, with the built-in hotkey.
const struct { uint32_t id, group, order; const char16_t* name; uint32_t hotkey; } kRows[] = {
    {1025, 0, 0, u"Show Main Window", 0x30041},
    {1026, 0, 1, u"Show Clip Window", 0x30030},
    {1141, 1, 0, u"Preview First Item", 0},
    {1142, 1, 1, u"Edit First Item", 0},
    {1143, 1, 2, u"Bookmark First Item", 0x30033},
    {1144, 1, 3, u"Activate First Bookmark", 0x30036},
    {1125, 1, 4, u"Revert First Items", 0x30039},
    {1126, 1, 5, u"Uppercase First Item", 0},
    {1127, 1, 6, u"Lowercase First Item", 0},
    {1145, 1, 7, u"Title First Item", 0},
    {1128, 1, 8, u"Smart Make Object First Item", 0x3006A},
    {1130, 1, 9, u"Smart Convert from ID First Item", 0x3006B},
    {1129, 1, 10, u"Smart Convert to ID First Item", 0x3006D},
    {1131, 1, 11, u"Insert date/time - 'yyyy.mm.dd'", 0},
    {1132, 1, 12, u"Insert date/time - 'yyyy-mm-dd'", 0},
    {1133, 1, 13, u"Insert date/time - 'yyyy.mm.dd HH-MM-SS'", 0},
    {1134, 1, 14, u"Insert date/time - 'yyyy-mm-dd HH-MM-SS'", 0},
    {1135, 1, 15, u"Insert date/time - 'yyyy-mm-dd_HH-MM-SS'", 0},
    {1136, 1, 16, u"Insert date/time - 'HH-MM-SS'", 0},
    {1137, 1, 17, u"Insert date/time - 'HH.MM.SS'", 0},
    {1138, 1, 18, u"Insert date/time - 'yyyymmdd'", 0},
    {1139, 1, 19, u"Insert date/time - 'HHMMSS'", 0},
    {1140, 1, 20, u"Insert date/time - 'yyyymmddHHMMSS'", 0},
    {1225, 2, 0, u"Paste Activated Item", 0},
    {1226, 2, 1, u"Reset Clipboard Viewer", 0},
};

TEST(CommandTableTest, RowsByIdAndInDisplayOrder) {
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  BuildCommandTable(commands);
  const std::vector<MESSAGE_DESCRIPTION> shown = GetCommandsInDisplayOrder(commands);
  ASSERT_EQ(commands.size(), std::size(kRows));
  ASSERT_EQ(shown.size(), std::size(kRows));
  for (size_t i = 0; i < shown.size(); ++i) {
    SCOPED_TRACE(kRows[i].id);
    const MESSAGE_DESCRIPTION& d = commands[kRows[i].id];
    EXPECT_EQ(std::vector<uint32_t>({d.dwMessageID, d.dwGroup, d.dwOrder, shown[i].dwMessageID}),
              std::vector<uint32_t>({kRows[i].id, kRows[i].group, kRows[i].order, kRows[i].id}));
    EXPECT_EQ(CString16(d.szName), kRows[i].name);
  }
}

class CRecordingRegistrar : public IHotkeyRegistrar {
 public:
  void AddHotkeyMessageID(uint32_t hotkey, uint32_t messageId) override {
    m_mapById[messageId].push_back(hotkey);
  }
  std::map<uint32_t, std::vector<uint32_t>> m_mapById;
};

using RegisterHotkeysTest = SettingsTest;

TEST_F(RegisterHotkeysTest, EveryCommandIsRegisteredOnceWithItsStoredOrDefaultHotkey) {
  std::map<uint32_t, std::vector<uint32_t>> expected;
  for (const auto& row : kRows) expected[row.id] = {row.hotkey};
  for (bool stored : {false, true}) {
    SCOPED_TRACE(stored ? "stored" : "empty store: the eight defaults, zero for the rest");
    if (stored) {
      m_oStore.PutDword(kAppPath + u"\\Hotkeys", u"1025", 0);
      m_oStore.PutDword(kAppPath + u"\\Hotkeys", u"1226", 0x4007B);
      expected[1025] = {0};
      expected[1226] = {0x4007B};
    }
    std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
    CRecordingRegistrar accelerator;
    RegisterHotkeys(commands, accelerator);
    EXPECT_EQ(commands.size(), 25u);
    EXPECT_EQ(accelerator.m_mapById, expected);
  }
}

}  // namespace
