// Hotkeys: their values, text and key names, the commands they run, where
// each is stored, and the registration of every command at start-up.
// Catches: a hotkey value, modifier or key name that reads or writes wrongly, a command with the
// wrong id, name, place or default, a hotkey stored under another name, a command left
// unregistered at start.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/CommandTable.h"
#include "settings/StartUp.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

using R = CApplicationRegistry;
using HotkeyTest = SettingsTest;

// Every selectable key in display order: (None), A-Z, 0-9, then these, then F1-F12.
const std::pair<uint16_t, const char16_t*> kNamedKeys[] = {
    {8, u"Backspace"},  {13, u"Enter"},       {32, u"Space"},      {33, u"Page Up"},
    {34, u"Page Down"}, {35, u"End"},         {36, u"Home"},       {37, u"Arrow Left"},
    {38, u"Arrow Up"},  {39, u"Arrow Right"}, {40, u"Arrow Down"}, {45, u"Insert"},
    {46, u"Delete"},    {106, u"Numpad *"},   {107, u"Numpad +"},  {109, u"Numpad -"},
    {110, u"Numpad ."}, {111, u"Numpad /"}};

TEST_F(HotkeyTest, EveryKeyWithEveryModifierMakesItsValueAndText) {
  std::vector<std::pair<uint16_t, CString16>> keys{{0, u"(None)"}};
  for (char16_t c = u'A'; c <= u'Z'; ++c) keys.push_back({c, CString16(1, c)});
  for (char16_t c = u'0'; c <= u'9'; ++c) keys.push_back({c, CString16(1, c)});
  for (const auto& [vk, name] : kNamedKeys) keys.push_back({vk, name});
  for (int f = 1; f <= 12; ++f)
    keys.push_back({uint16_t(111 + f), u"F" + Utf16FromUtf8(std::to_string(f))});
  R registry;  // names first: the table is built once, whichever call comes first
  std::vector<uint16_t> codes;
  for (const auto& [vk, name] : keys) {
    SCOPED_TRACE(vk);
    CString16 found;
    EXPECT_TRUE(registry.GetKeyName(vk, found));
    EXPECT_EQ(found, name);
    codes.push_back(vk);
    // Bits 16, 17 and 18 hold Ctrl, Alt and Shift; the text names them in that order.
    for (int mods = 0; mods < 8; ++mods) {
      const bool ctrl = mods & 1, alt = mods & 2, shift = mods & 4;
      const uint32_t hotkey = R::MakeHotkey(ctrl ? 7 : 0, alt ? -1 : 0, shift, vk);
      EXPECT_EQ(hotkey, vk ? vk | uint32_t(mods) << 16 : 0) << mods;
      EXPECT_EQ(R::GetHotkeyKey(hotkey), vk);
      EXPECT_EQ(std::vector<bool>({!!R::IsHotkeyCtrl(hotkey), !!R::IsHotkeyAlt(hotkey),
                                   !!R::IsHotkeyShift(hotkey)}),
                std::vector<bool>({ctrl && vk, alt && vk, shift && vk}));
      const CString16 text = CString16(ctrl ? u"Ctrl + " : u"") + (alt ? u"Alt + " : u"") +
                             (shift ? u"Shift + " : u"") + name;
      EXPECT_EQ(registry.GetHotkeyText(hotkey), vk ? text : u"") << mods;
      EXPECT_EQ(registry.GetHotkeyText(hotkey | 0xFFF80000u), vk ? text : u"(None)")
          << "foreign bits mean nothing";
    }
  }
  EXPECT_EQ(registry.GetKeys(), codes);
  CString16 name;
  for (uint32_t vk : {7u, 105u, 108u, 124u, 0x10041u})
    EXPECT_FALSE(registry.GetKeyName(vk, name)) << vk;
  EXPECT_EQ(R::MakeHotkey(5, -1, 0, 0xFFFF), 0x3FFFFu);          // all 16 bits of the key
  EXPECT_EQ(registry.GetHotkeyText(0x3007C), u"Ctrl + Alt + ");  // 124 has no name
  EXPECT_EQ(registry.GetHotkeyText(0x10000), u"Ctrl + (None)");
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

// The hotkeys handed to the accelerator at start, by command.
std::map<uint32_t, std::vector<uint32_t>> Registered() {
  struct : IHotkeyRegistrar {
    void AddHotkeyMessageID(uint32_t hotkey, uint32_t id) override { byId[id].push_back(hotkey); }
    std::map<uint32_t, std::vector<uint32_t>> byId;
  } accelerator;
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  RegisterHotkeys(commands, accelerator);
  return accelerator.byId;
}

TEST_F(HotkeyTest, EveryCommandHasItsPlaceNameAndDefaultIsStoredUnderItsIdAndRegisteredOnce) {
  std::map<uint32_t, std::vector<uint32_t>> defaults, stored;
  for (const auto& row : kRows)
    defaults[row.id] = {row.hotkey}, stored[row.id] = {0x60000 + row.id};
  EXPECT_EQ(Registered(), defaults);
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  BuildCommandTable(commands);
  const std::vector<MESSAGE_DESCRIPTION> shown = GetCommandsInDisplayOrder(commands);
  ASSERT_EQ(commands.size(), std::size(kRows));
  ASSERT_EQ(shown.size(), std::size(kRows));
  const CString16 hotkeys = kAppPath + u"\\Hotkeys";
  for (size_t i = 0; i < shown.size(); ++i) {
    const auto& row = kRows[i];
    const CString16 name = Utf16FromUtf8(std::to_string(row.id));  // the id in decimal
    SCOPED_TRACE(row.id);
    const MESSAGE_DESCRIPTION& d = commands[row.id];
    EXPECT_EQ(std::vector<uint32_t>({d.dwMessageID, d.dwGroup, d.dwOrder, shown[i].dwMessageID}),
              std::vector<uint32_t>({row.id, row.group, row.order, row.id}));
    EXPECT_EQ(CString16(d.szName), row.name);
    EXPECT_EQ(GetCommandName(commands, row.id), row.name);
    EXPECT_EQ(GetDefaultHotkey(row.id), row.hotkey);
    EXPECT_EQ(R().GetHotkey(row.id), row.hotkey);
    // Stored under its own name: a value for another id, or a padded name, is not read.
    m_oStore.PutDword(hotkeys, u"0" + name, 0x11);
    EXPECT_EQ(R().GetHotkey(row.id), row.hotkey);
    EXPECT_TRUE(R().SetHotkey(row.id, 0x60000 + row.id));
    EXPECT_EQ(Stored(hotkeys, name), 0x60000 + row.id);
  }
  // After all were written, each still reads its own.
  for (const auto& row : kRows) EXPECT_EQ(R().GetHotkey(row.id), 0x60000 + row.id) << row.id;
  EXPECT_TRUE(R().SetHotkey(1025, 0));  // a cleared default stays cleared
  EXPECT_EQ(R().GetHotkey(1025), 0u);
  m_oStore.PutDword(hotkeys, u"1226", 0xFFF30041);  // foreign bits carried along
  stored[1025] = {0}, stored[1226] = {0xFFF30041};
  EXPECT_EQ(Registered(), stored);
  for (uint32_t id : {1024u, 1146u, 0u}) {
    EXPECT_EQ(GetDefaultHotkey(id), 0u) << id;
    EXPECT_EQ(GetCommandName(commands, id), u"") << id;
  }
}

}  // namespace
