#pragma once
// What the Win32 tests of every folder share: waiting for a state while the
// thread's messages are handled, injected keys, and a window class to create
// test windows of.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ui/MessageLoop.h"

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
void PumpFor(int timeoutMs);

// Presses the keys in order and lets them go in reverse, as input from
// SendInput, which the system treats like the keyboard's (hotkeys fire).
void PressKeys(const std::vector<WORD>& keys);

// A plain window class with an arrow cursor and the window colour.
const wchar_t* TestWindowClass();

// The clipboard through the plain API, as another program uses it. Both wait
// while the clipboard is held for a moment (as Wine's clipboard manager does
// right after a change). PutRawClipboard empties the clipboard and puts one
// block; false when the clipboard stayed held.
bool PutRawClipboard(UINT format, const void* data, size_t size);
bool PutRawText(const wchar_t* text);
// CF_UNICODETEXT as it stands: "<none>" when there is none, "<held>" when the
// clipboard cannot be opened.
std::u16string ReadRawText();

// Answers the next message box or dialog of the thread that makes this
// object: a helper thread waits for it, lets inspect() look at it (and act on
// it, with messages) and presses button (0: none, inspect() ends it). The
// destructor waits for the answer (or 10 s).
class CBoxAnswerer {
 public:
  CBoxAnswerer(std::function<void(HWND box)> inspect, int button);
  ~CBoxAnswerer();
  CBoxAnswerer(const CBoxAnswerer&) = delete;
  CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;

 private:
  std::thread m_thread;
};

// A dialog (class #32770) of the given thread, visible or not; null when it
// has none.
HWND FindThreadDialog(DWORD threadId);
