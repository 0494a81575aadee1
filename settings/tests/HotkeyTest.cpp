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
  for (const auto& row : kCommandRows)
    defaults[row.id] = {row.hotkey}, stored[row.id] = {0x60000 + row.id};
  EXPECT_EQ(Registered(), defaults);
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  BuildCommandTable(commands);
  const std::vector<MESSAGE_DESCRIPTION> shown = GetCommandsInDisplayOrder(commands);
  ASSERT_EQ(commands.size(), std::size(kCommandRows));
  ASSERT_EQ(shown.size(), std::size(kCommandRows));
  for (size_t i = 0, order = 0; i < shown.size(); ++i) {
    const auto& row = kCommandRows[i];
    order = i && kCommandRows[i - 1].group != row.group ? 0 : order;  // counted within the group
    const CString16 name = Utf16FromUtf8(std::to_string(row.id));     // the id in decimal
    SCOPED_TRACE(row.id);
    const MESSAGE_DESCRIPTION& d = commands[row.id];
    EXPECT_EQ(std::vector<uint32_t>({d.dwMessageID, d.dwGroup, d.dwOrder, shown[i].dwMessageID}),
              std::vector<uint32_t>({row.id, row.group, uint32_t(order++), row.id}));
    EXPECT_EQ(CString16(d.szName), row.name);
    EXPECT_EQ(GetCommandName(commands, row.id), row.name);
    // Stored under its own name: a value for another id, or a padded name, is not read.
    m_oStore.PutDword(kHotkeysPath, u"0" + name, 0x11);
    EXPECT_EQ(R().GetHotkey(row.id), row.hotkey);
    EXPECT_TRUE(R().SetHotkey(row.id, 0x60000 + row.id));
    EXPECT_EQ(StoredDword(m_oStore, kHotkeysPath, name), int64_t{0x60000 + row.id});
  }
  // After all were written, each still reads its own.
  for (const auto& row : kCommandRows) EXPECT_EQ(R().GetHotkey(row.id), 0x60000 + row.id);
  EXPECT_TRUE(R().SetHotkey(1025, 0));  // a cleared default stays cleared
  EXPECT_EQ(R().GetHotkey(1025), 0u);
  m_oStore.PutDword(kHotkeysPath, u"1226", 0xFFF30041);  // foreign bits carried along
  stored[1025] = {0}, stored[1226] = {0xFFF30041};
  EXPECT_EQ(Registered(), stored);
  for (uint32_t id : {1024u, 1146u, 0u}) {
    EXPECT_EQ(GetDefaultHotkey(id), 0u) << id;
    EXPECT_EQ(GetCommandName(commands, id), u"") << id;
  }
}

}  // namespace
