#pragma once
// The program's settings, one accessor per setting with its place in the
// store and its default built in; the hotkey value and its key names; the
// Start with Windows switch. Made on the stack for one operation: nothing is
// cached, every accessor goes to the store.
#include <cstdint>
#include <map>
#include <vector>

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

  // Hotkey values: virtual-key code in bits 0-15, Ctrl bit 16, Alt bit 17,
  // Shift bit 18; 0 is no hotkey.
  uint32_t GetHotkey(uint32_t messageId);
  BOOL SetHotkey(uint32_t messageId, uint32_t hotkey);
  static uint32_t MakeHotkey(BOOL ctrl, BOOL alt, BOOL shift, uint16_t vk);
  static uint16_t GetHotkeyKey(uint32_t hotkey);
  static BOOL IsHotkeyCtrl(uint32_t hotkey);
  static BOOL IsHotkeyAlt(uint32_t hotkey);
  static BOOL IsHotkeyShift(uint32_t hotkey);
  // "Ctrl + Alt + A"; empty for 0; a key without a name shows only the
  // modifiers.
  CString16 GetHotkeyText(uint32_t hotkey);

  // The keys a hotkey can use, in display order, and their names.
  const std::vector<uint16_t>& GetKeys();
  BOOL GetKeyName(uint32_t vk, CString16& name);

  void SetStartWithWindows(BOOL on);
  BOOL IsStartWithWindows();

 private:
  void LoadKeyNames();
  void AddKeyName(uint16_t vk, const CString16& name);
  KeyHandle OpenRunKey();

  BOOL m_bKeyNamesLoaded = FALSE;
  std::map<uint32_t, CString16> m_mapKeyNames;
  std::vector<uint16_t> m_arrKeys;
};
