#pragma once
// The hotkey value and its names. A hotkey is one 32-bit number, the same in
// memory, in the settings store and in the accelerator: the virtual-key code
// in bits 0-15, Ctrl bit 16, Alt bit 17, Shift bit 18; 0 is no hotkey.
#include <cstdint>
#include <map>
#include <vector>

#include "base/Text.h"

class CHotkey {
 public:
  static constexpr uint32_t kCtrl = 1u << 16;
  static constexpr uint32_t kAlt = 1u << 17;
  static constexpr uint32_t kShift = 1u << 18;

  // 0 when the key code is 0, whatever the flags.
  static uint32_t MakeHotkey(BOOL ctrl, BOOL alt, BOOL shift, uint16_t vk);
  static uint16_t GetHotkeyKey(uint32_t hotkey) { return static_cast<uint16_t>(hotkey & 0xFFFF); }
  static BOOL IsHotkeyCtrl(uint32_t hotkey) { return (hotkey & kCtrl) != 0; }
  static BOOL IsHotkeyAlt(uint32_t hotkey) { return (hotkey & kAlt) != 0; }
  static BOOL IsHotkeyShift(uint32_t hotkey) { return (hotkey & kShift) != 0; }

  // The keys a hotkey can use, in display order, and their names; the table
  // is built on the first call of either.
  const std::vector<uint16_t>& GetKeys();
  BOOL GetKeyName(uint32_t vk, CString16& name);
  // "Ctrl + Alt + A"; empty for 0; a key without a name shows only the
  // modifiers.
  CString16 GetHotkeyText(uint32_t hotkey);

 private:
  void LoadKeyNames();
  void AddKeyName(uint16_t vk, const CString16& name);

  BOOL m_bKeyNamesLoaded = FALSE;
  std::map<uint32_t, CString16> m_mapKeyNames;
  std::vector<uint16_t> m_arrKeys;
};
