#pragma once
// Helpers shared by the ui tests: waiting for a state while the thread's
// messages are handled, and the window class the tests create windows of.
#include <windows.h>

#include <chrono>

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
