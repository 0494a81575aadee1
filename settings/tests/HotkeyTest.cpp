// Hotkeys: their values, text and key names, the commands they run, and the
// registration of every command at start-up.
// Catches: a hotkey value or key name that reads or writes wrongly, a command with the wrong
// default, a command left unregistered at start.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/CommandTable.h"
#include "settings/StartUp.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

using R = CApplicationRegistry;
using HotkeyTest = SettingsTest;

TEST_F(HotkeyTest, ValuesAndTheirTextAgree) {
  const struct {
    BOOL ctrl, alt, shift;
    uint16_t vk;
    uint32_t hotkey;
  } made[] = {
      {TRUE, TRUE, TRUE, 0, 0},  // no key is no hotkey, whatever is held
      {FALSE, FALSE, FALSE, 112, 112},   {TRUE, TRUE, FALSE, 'A', 0x30041},
      {FALSE, TRUE, TRUE, 'Z', 0x6005A}, {5, -1, 0, 0xFFFF, 0x3FFFF},  // any nonzero flag counts
  };
  for (const auto& c : made) EXPECT_EQ(R::MakeHotkey(c.ctrl, c.alt, c.shift, c.vk), c.hotkey);
  // Modifiers in a fixed order, then the key's name.
  const struct {
    uint32_t hotkey;
    const char16_t* text;
  } texts[] = {
      {0x70070, u"Ctrl + Alt + Shift + F1"},
      {0x3007C, u"Ctrl + Alt + "},  // 124 has no name
      {0x10000, u"Ctrl + (None)"},
      {0, u""},
      {0x41, u"A"},
      {0x50021, u"Ctrl + Shift + Page Up"},
      {0x2007B, u"Alt + F12"},
      {0xFFF80041, u"A"},  // foreign bits mean nothing
  };
  R registry;
  for (const auto& c : texts) EXPECT_EQ(registry.GetHotkeyText(c.hotkey), c.text) << c.hotkey;
}

TEST_F(HotkeyTest, KeyTableHoldsTheSelectableKeysInDisplayOrder) {
  std::vector<std::pair<uint16_t, CString16>> expected{{0, u"(None)"}};
  for (char16_t c = u'A'; c <= u'Z'; ++c) expected.push_back({c, CString16(1, c)});
  for (char16_t c = u'0'; c <= u'9'; ++c) expected.push_back({c, CString16(1, c)});
  expected.insert(expected.end(), {{8, u"Backspace"},
                                   {13, u"Enter"},
                                   {32, u"Space"},
                                   {33, u"Page Up"},
                                   {34, u"Page Down"},
                                   {35, u"End"},
                                   {36, u"Home"},
                                   {37, u"Arrow Left"},
                                   {38, u"Arrow Up"},
                                   {39, u"Arrow Right"},
                                   {40, u"Arrow Down"},
                                   {45, u"Insert"},
                                   {46, u"Delete"},
                                   {106, u"Numpad *"},
                                   {107, u"Numpad +"},
                                   {109, u"Numpad -"},
                                   {110, u"Numpad ."},
                                   {111, u"Numpad /"}});
  for (int f = 1; f <= 12; ++f)
    expected.push_back({uint16_t(111 + f), u"F" + Utf16FromUtf8(std::to_string(f))});
  ASSERT_EQ(expected.size(), 67u);

  R registry;  // names first: the table is built once, whichever call comes first
  std::vector<uint16_t> codes;
  for (const auto& [vk, name] : expected) {
    CString16 found;
    EXPECT_TRUE(registry.GetKeyName(vk, found));
    EXPECT_EQ(found, name);
    codes.push_back(vk);
  }
  EXPECT_EQ(registry.GetKeys(), codes);
  CString16 name;
  for (uint32_t vk : {7u, 105u, 108u, 124u, 0x10041u})
    EXPECT_FALSE(registry.GetKeyName(vk, name)) << vk;
}

// In display order, with the built-in hotkey.
const struct {
  uint32_t id, group, order;
  const char16_t* name;
  uint32_t hotkey;
} kRows[] = {
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

TEST_F(HotkeyTest, RowsByIdInDisplayOrderWithTheirDefaultHotkeys) {
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
    EXPECT_EQ(R().GetHotkey(kRows[i].id), kRows[i].hotkey);
  }
  for (uint32_t id : {1024u, 1146u, 0u}) EXPECT_EQ(R().GetHotkey(id), 0u) << id;
}

class CRecordingRegistrar : public IHotkeyRegistrar {
 public:
  void AddHotkeyMessageID(uint32_t hotkey, uint32_t messageId) override {
    m_mapById[messageId].push_back(hotkey);
  }
  std::map<uint32_t, std::vector<uint32_t>> m_mapById;
};

TEST_F(HotkeyTest, EveryCommandIsRegisteredOnceWithItsStoredOrDefaultHotkey) {
  const CString16 hotkeys = kAppPath + u"\\Hotkeys";
  m_oStore.PutDword(hotkeys, u"1141", 0x70070);
  m_oStore.PutDword(hotkeys, u"1226", 0xFFF30041);  // foreign bits carried along
  m_oStore.PutDword(hotkeys, u"01026", 0x41);       // not the name of 1026
  EXPECT_TRUE(R().SetHotkey(1025, 0));              // a cleared default stays cleared
  std::map<uint32_t, std::vector<uint32_t>> expected;
  for (const auto& row : kRows) expected[row.id] = {row.hotkey};
  expected[1025] = {0};
  expected[1141] = {0x70070};
  expected[1226] = {0xFFF30041};
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  CRecordingRegistrar accelerator;
  RegisterHotkeys(commands, accelerator);
  EXPECT_EQ(commands.size(), 25u);
  EXPECT_EQ(accelerator.m_mapById, expected);
}

}  // namespace
