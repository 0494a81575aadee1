#pragma once
// Key events into the system's input stream with keybd_event.
#include "ui/KeyEvents.h"

class CKeyEventsWin32 : public IKeyEvents {
 public:
  SHORT GetKeyState(int vk) override { return ::GetKeyState(vk); }
  SHORT VkKeyScan(wchar_t ch) override { return ::VkKeyScanW(ch); }
  void KeyEvent(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra) override {
    ::keybd_event(vk, scan, flags, extra);
  }
};
