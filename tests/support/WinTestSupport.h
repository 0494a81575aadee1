#pragma once
// What the Win32 tests of every folder share: waiting for a state while the
// thread's messages are handled, injected keys, and a window class to create
// test windows of.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ui/KeyEvents.h"
#include "ui/MessageBox.h"
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
inline void PumpFor(int timeoutMs) {
  WaitFor([] { return false; }, timeoutMs);
}

// Puts the cursor at the point and waits until it is there: Wine moves it a
// moment later, and clicks sent before would land where it was.
bool MoveCursorTo(POINT at);

// Presses the keys in order and lets them go in reverse, as input from
// SendInput, which the system treats like the keyboard's (hotkeys fire).
void PressKeys(const std::vector<WORD>& keys);

// Posts a key-down to the window and handles it with only the modifiers
// given down in the thread's key state, as the window's key tables read it.
void PostKeyWithModifiers(HWND hWnd, WORD vk, bool ctrl, bool shift = false);

// A plain window class with an arrow cursor and the window colour.
const wchar_t* TestWindowClass();

// The clipboard through the plain API, as another program uses it. Each
// waits while the clipboard is held for a moment (as Wine's clipboard manager
// does right after a change). PutRawClipboard empties the clipboard and puts
// one block; false when the clipboard stayed held.
bool PutRawClipboard(UINT format, const void* data, size_t size);
bool PutRawText(const wchar_t* text);
// CF_UNICODETEXT as it stands: "<none>" when there is none, "<held>" when the
// clipboard cannot be opened.
std::u16string ReadRawText();

// The rows of a list that its pending repaint will draw again (those its
// update region touches), ascending; validate the list first (UpdateWindow).
std::vector<int> ListRowsToRedraw(HWND hList);

// A double-click on a row's label as the mouse makes it; the second click is
// posted when it opens a modal window (sent, it would wait for its end).
void DoubleClickListRow(HWND hList, int row, bool bPostSecond = false);

// A rectangle as {left, top, right, bottom}, for comparisons that print it;
// a window's on the screen.
inline std::vector<LONG> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline std::vector<LONG> WindowCorners(HWND hWnd) {
  RECT r{};
  ::GetWindowRect(hWnd, &r);
  return Corners(r);
}

// A dialog item's text, and whether its box is ticked.
inline std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(dialog, id, text, 512);
  return text;
}
inline bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Answers the next message box or dialog of the thread that makes this
// object: a helper thread waits for it (10 s at most), lets inspect() look at
// it (and act on it, with messages) and presses button (0: none, inspect()
// ends it). The destructor stops waiting and joins: by then a modal box the
// object was made for has come and gone.
class CBoxAnswerer {
 public:
  CBoxAnswerer(std::function<void(HWND box)> inspect, int button);
  ~CBoxAnswerer();
  CBoxAnswerer(const CBoxAnswerer&) = delete;
  CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;
  // Whether a box came.
  bool Answered() const { return m_bAnswered; }

 private:
  std::atomic<bool> m_bStop{false};
  std::atomic<bool> m_bAnswered{false};
  std::thread m_thread;
};

// The dialogs (class #32770) of a thread, visible or not.
std::vector<HWND> ThreadDialogs(DWORD threadId);

// Waits, from another thread, for a visible dialog of the thread that is not
// in `before` (once visible its controls and texts are in place); null when
// none comes in time or *pStop is set.
HWND WaitForNewDialog(DWORD threadId, const std::vector<HWND>& before, DWORD timeoutMs = 10000,
                      const std::atomic<bool>* pStop = nullptr);

// Answers boxes with the answers queued (IDYES when none is), and notes
// what was asked.
class CRecordingPrompt : public IUserPrompt {
 public:
  struct ASKED {
    std::wstring text;
    UINT type;
  };
  std::vector<ASKED> m_asked;
  std::deque<int> m_answers;
  // Runs while the box is up, as whatever else happens meanwhile.
  std::function<void()> m_fnWhileShown;
  int Show(const wchar_t* text, UINT type) override {
    m_asked.push_back({text, type});
    if (m_fnWhileShown) m_fnWhileShown();
    if (m_answers.empty()) return IDYES;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
};

// Key events noted instead of typed; Ctrl is down when the test says so.
class CRecordingKeyEvents : public IKeyEvents {
 public:
  struct EVENT {
    BYTE vk, scan;
    DWORD flags;
    ULONG_PTR extra;
    bool operator==(const EVENT& o) const {
      return vk == o.vk && scan == o.scan && flags == o.flags && extra == o.extra;
    }
  };
  std::vector<EVENT> m_events;
  bool m_bCtrlDown = false;
  // The key of "v" as a layout might report it, with a shift state above.
  SHORT m_nVkOfV = 0x0056;
  int m_nScans = 0;
  // Called at each event, before it is recorded.
  std::function<void()> m_fnOnEvent;

  SHORT GetKeyState(int vk) override {
    return vk == VK_CONTROL && m_bCtrlDown ? static_cast<SHORT>(0xFF80) : 0;
  }
  SHORT VkKeyScan(wchar_t) override {
    ++m_nScans;
    return m_nVkOfV;
  }
  void KeyEvent(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra) override {
    if (m_fnOnEvent) m_fnOnEvent();
    m_events.push_back({vk, scan, flags, extra});
  }
};
