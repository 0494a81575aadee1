#pragma once
// Synthetic key events into the system's input stream, and the keyboard
// state they depend on. The paste goes through this seam so that tests can
// record the events instead of typing into whatever window is in front.
#include <windows.h>

class IKeyEvents {
 public:
  virtual ~IKeyEvents() = default;
  // GetKeyState: bit 0x80 set while the key is down, as this thread sees it.
  virtual SHORT GetKeyState(int vk) = 0;
  // VkKeyScanW: the key that types a character in the current layout (low
  // byte) and the shift state it needs (high byte).
  virtual SHORT VkKeyScan(wchar_t ch) = 0;
  // keybd_event: one press (flags 0) or release (KEYEVENTF_KEYUP).
  virtual void KeyEvent(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra) = 0;
};
