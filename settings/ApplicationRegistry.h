#pragma once
// The program's settings, one accessor per setting with its place in the
// store and its default built in; the hotkey value and its key names; the
// Start with Windows switch. Made on the stack for one operation: nothing is
// cached, every accessor goes to the store.
#include <cstdint>
#include <vector>

#include "settings/Hotkey.h"
#include "settings/SmartRegistry.h"

class CApplicationRegistry : private CSmartRegistry {
 public:
  CApplicationRegistry();
  ~CApplicationRegistry() override;

  BOOL GetFirstRun();
  BOOL SetFirstRun(BOOL value);

  void GetMainWindowPlacement(int& left, int& top, int& width, int& height);
  BOOL SetMainWindowPlacement(int left, int top, int width, int height);
  BOOL GetDockingEnabled();
  BOOL SetDockingEnabled(BOOL value);

  void GetSmallWindowSize(int& width, int& height);
  BOOL SetSmallWindowSize(int width, int height);
  void GetFindWindowSize(int& width, int& height);
  BOOL SetFindWindowSize(int width, int height);

  BOOL GetDoPaste();
  BOOL SetDoPaste(BOOL value);
  // Never below 10000 ms; only set from outside the program.
  int GetResetClipboardTimer();
  uint32_t GetMaxClipboardCopySize();
  BOOL SetMaxClipboardCopySize(uint32_t value);
  int GetBufferSize();
  BOOL SetBufferSize(int value);

  // Hotkeys: the stored value of a command, and the hotkey unit's functions.
  uint32_t GetHotkey(uint32_t messageId);
  BOOL SetHotkey(uint32_t messageId, uint32_t hotkey);
  static uint32_t MakeHotkey(BOOL ctrl, BOOL alt, BOOL shift, uint16_t vk) {
    return CHotkey::MakeHotkey(ctrl, alt, shift, vk);
  }
  static uint16_t GetHotkeyKey(uint32_t hotkey) { return CHotkey::GetHotkeyKey(hotkey); }
  static BOOL IsHotkeyCtrl(uint32_t hotkey) { return CHotkey::IsHotkeyCtrl(hotkey); }
  static BOOL IsHotkeyAlt(uint32_t hotkey) { return CHotkey::IsHotkeyAlt(hotkey); }
  static BOOL IsHotkeyShift(uint32_t hotkey) { return CHotkey::IsHotkeyShift(hotkey); }
  CString16 GetHotkeyText(uint32_t hotkey) { return m_oHotkey.GetHotkeyText(hotkey); }
  const std::vector<uint16_t>& GetKeys() { return m_oHotkey.GetKeys(); }
  BOOL GetKeyName(uint32_t vk, CString16& name) { return m_oHotkey.GetKeyName(vk, name); }

  void SetStartWithWindows(BOOL on);
  BOOL IsStartWithWindows();

 private:
  KeyHandle OpenRunKey();

  // The key-name table, built on first use.
  CHotkey m_oHotkey;
};
