#pragma once
// The keyboard accelerator. The global instance turns system-wide hotkeys
// into the main window's command messages; instances owned by a window map
// local keys, with an exact modifier state, to that window's functions.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "settings/StartUp.h"

class CKeyboardAccelerator : public IHotkeyRegistrar {
 public:
  CKeyboardAccelerator() = default;
  virtual ~CKeyboardAccelerator();
  CKeyboardAccelerator(const CKeyboardAccelerator&) = delete;
  CKeyboardAccelerator& operator=(const CKeyboardAccelerator&) = delete;

  // --- global use ----------------------------------------------------------
  // The window that receives the hotkeys and their messages. Hotkeys added
  // before it is set are registered now; null unregisters them all.
  void SetMainWindow(HWND hWnd);

  // From now on the combination delivers messageId to the main window,
  // replacing what it delivered before. The value 0 is kept like any other
  // but never registers and never delivers.
  void AddHotkeyMessageID(uint32_t hotkey, uint32_t messageId) override;
  void RemoveHotkeyMessageID(uint32_t hotkey);
  BOOL ContainsMessageID(uint32_t hotkey) const;
  uint32_t GetMessageID(uint32_t hotkey) const;

  // The main window passes its WM_HOTKEY here; true when the id was ours and
  // the command's message has been posted.
  bool OnHotkey(WPARAM id);

  // Whether the system accepted the combination (another program may own it).
  bool IsRegistered(uint32_t hotkey) const;

  // --- local use -----------------------------------------------------------
  void AddHotkeyFunction(int ctrl, int alt, int shift, WORD vk, std::function<void()> handler);
  // For a WM_KEYDOWN: runs the entry whose key and Ctrl/Alt/Shift state match
  // exactly and returns nonzero; 0 when none matches.
  int CallFunction(HWND hWnd, WPARAM vk);

 protected:
  // RegisterHotKey, for tests that must see the flags: Wine accepts
  // MOD_NOREPEAT but repeats anyway, so only the flags show it is asked for.
  virtual BOOL RegisterSystemHotkey(HWND hWnd, int id, UINT modifiers, UINT vk) {
    return ::RegisterHotKey(hWnd, id, modifiers, vk);
  }

 private:
  struct HOTKEY_ENTRY {
    uint32_t messageId;
    int id;  // the id given to RegisterHotKey
    bool registered;
  };
  void Register(uint32_t hotkey, HOTKEY_ENTRY& entry);
  void Unregister(HOTKEY_ENTRY& entry);

  HWND m_hWndMain = nullptr;
  std::map<uint32_t, HOTKEY_ENTRY> m_hotkeys;
  int m_nNextId = 1;

  struct LOCAL_ENTRY {
    bool ctrl, alt, shift;
    WORD vk;
    std::function<void()> handler;
  };
  std::vector<LOCAL_ENTRY> m_local;
};
