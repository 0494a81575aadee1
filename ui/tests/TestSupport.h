#pragma once
// Helpers shared by the ui tests: waiting for a state while the thread's
// messages are handled, injected keys, and the window class the tests create
// windows of. The frame and accelerator tests use them too.
#include <windows.h>

#include <chrono>
#include <vector>

#include "ui/MessageLoop.h"
#include "ui/Window.h"

// Handles messages until pred() holds or the time is up; tells whether it
// held. Windows may take over a second to appear under Xvfb.
template <class Pred>
bool WaitFor(Pred pred, int timeoutMs = 5000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    PumpMessages();
    if (pred()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Handles messages for a while: for states that must not come about.
inline void PumpFor(int timeoutMs) { WaitFor([] { return false; }, timeoutMs); }

// Presses the keys in order and lets them go in reverse, as input from
// SendInput, which the system treats like the keyboard's (hotkeys fire).
inline void PressKeys(const std::vector<WORD>& keys) {
  auto send = [](WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
  };
  for (WORD vk : keys) send(vk, 0);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) send(*it, KEYEVENTF_KEYUP);
}

inline const wchar_t* TestWindowClass() {
  static const bool bRegistered = [] {
    WNDCLASSEXW wc = {};
    wc.lpszClassName = L"TanselUiTestWindow";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return CWindow::RegisterClass(wc);
  }();
  return bRegistered ? L"TanselUiTestWindow" : nullptr;
}
