// Hotkey values: their bits, their stored form, their text and the key names.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

using R = CApplicationRegistry;
using HotkeyTest = SettingsTest;

TEST(HotkeyValueTest, MakeHotkeyAndItsPartsAgree) {
  const struct { BOOL ctrl, alt, shift; uint16_t vk; uint32_t hotkey; } cases[] = {
      {TRUE, TRUE, TRUE, 0, 0},  // no key is no hotkey, whatever is held
      {FALSE, FALSE, FALSE, 112, 112},
      {TRUE, TRUE, FALSE, 'A', 0x30041},
      {FALSE, TRUE, FALSE, 'A', 0x20041},
      {FALSE, FALSE, TRUE, 'Z', 0x4005A},
      {5, -1, 0, 0xFFFF, 0x3FFFF},  // any nonzero flag counts
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hotkey);
    EXPECT_EQ(R::MakeHotkey(c.ctrl, c.alt, c.shift, c.vk), c.hotkey);
    EXPECT_EQ(R::GetHotkeyKey(c.hotkey), c.hotkey ? c.vk : 0);
    EXPECT_EQ(!!R::IsHotkeyCtrl(c.hotkey), c.hotkey && c.ctrl);
    EXPECT_EQ(!!R::IsHotkeyAlt(c.hotkey), c.hotkey && c.alt);
    EXPECT_EQ(!!R::IsHotkeyShift(c.hotkey), c.hotkey && c.shift);
  }
  EXPECT_FALSE(R::IsHotkeyCtrl(0xFFF8FFFF) || R::IsHotkeyAlt(0xFFF8FFFF) || R::IsHotkeyShift(0xFFF8FFFF));
}

TEST_F(HotkeyTest, TextNamesModifiersInFixedOrderThenTheKey) {
  const struct { uint32_t hotkey; const char16_t* text; } cases[] = {
      {0x70070, u"Ctrl + Alt + Shift + F1"}, {0x3007C, u"Ctrl + Alt + "},  // 124 has no name
      {0x10000, u"Ctrl + (None)"},          {0, u""},
      {0x41, u"A"},                          {0x50021, u"Ctrl + Shift + Page Up"},
      {0x2007B, u"Alt + F12"},               {0x80030041, u"Ctrl + Alt + A"},
  };
  R registry;
  for (const auto& c : cases) EXPECT_EQ(registry.GetHotkeyText(c.hotkey), c.text) << c.hotkey;
}

TEST_F(HotkeyTest, KeyTableHoldsTheSelectableKeysInDisplayOrder) {
  std::vector<std::pair<uint16_t, CString16>> expected{{0, u"(None)"}};
  for (char16_t c = u'A'; c <= u'Z'; ++c) expected.push_back({c, CString16(1, c)});
  for (char16_t c = u'0'; c <= u'9'; ++c) expected.push_back({c, CString16(1, c)});
  expected.insert(expected.end(), {{8, u"Backspace"}, {13, u"Enter"}, {32, u"Space"}, {33, u"Page Up"},
      {34, u"Page Down"}, {35, u"End"}, {36, u"Home"}, {37, u"Arrow Left"}, {38, u"Arrow Up"},
      {39, u"Arrow Right"}, {40, u"Arrow Down"}, {45, u"Insert"}, {46, u"Delete"}, {106, u"Numpad *"},
      {107, u"Numpad +"}, {109, u"Numpad -"}, {110, u"Numpad ."}, {111, u"Numpad /"}});
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
  for (uint32_t vk : {7u, 105u, 108u, 124u, 0x10041u}) {
    CString16 name = u"kept";
    EXPECT_FALSE(registry.GetKeyName(vk, name));
    EXPECT_EQ(name, u"kept");
  }
}

TEST_F(HotkeyTest, StoredHotkeysWinOverDefaultsIncludingZero) {
  const struct { uint32_t id, builtIn; } defaults[] = {
      {1025, 0x30041}, {1026, 0x30030}, {1141, 0}, {1142, 0}, {1143, 0x30033}, {1144, 0x30036},
      {1125, 0x30039}, {1126, 0}, {1127, 0}, {1145, 0}, {1128, 0x3006A}, {1130, 0x3006B},
      {1129, 0x3006D}, {1131, 0}, {1132, 0}, {1133, 0}, {1134, 0}, {1135, 0}, {1136, 0},
      {1137, 0}, {1138, 0}, {1139, 0}, {1140, 0}, {1225, 0}, {1226, 0}, {1024, 0}, {1146, 0}, {0, 0}};
  for (const auto& d : defaults) EXPECT_EQ(R().GetHotkey(d.id), d.builtIn) << d.id;

  const CString16 hotkeys = kAppPath + u"\\Hotkeys";
  m_oStore.PutDword(hotkeys, u"1141", 0x70070);
  m_oStore.PutDword(hotkeys, u"1226", 0xFFF30041);  // foreign bits carried along
  m_oStore.PutDword(hotkeys, u"01026", 0x41);       // not the name of 1026
  R registry;
  EXPECT_TRUE(registry.SetHotkey(1025, 0));         // a cleared default stays cleared
  EXPECT_EQ(Stored(hotkeys, u"1025"), 0u);
  EXPECT_EQ(registry.GetHotkey(1025), 0u);
  EXPECT_EQ(registry.GetHotkey(1141), 0x70070u);
  EXPECT_EQ(registry.GetHotkey(1226), 0xFFF30041u);
  EXPECT_EQ(registry.GetHotkey(1026), 0x30030u);
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
