#include "tests/support/WinTestSupport.h"

#include <commctrl.h>
#include <algorithm>
#include <cstring>

#include "ui/Window.h"

bool MoveCursorTo(POINT at) {
  ::SetCursorPos(at.x, at.y);
  return WaitFor([at] {
    POINT p;
    return ::GetCursorPos(&p) && p.x == at.x && p.y == at.y;
  });
}

void PressKeys(const std::vector<WORD>& keys) {
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

void PostKeyWithModifiers(HWND hWnd, WORD vk, bool ctrl, bool shift) {
  BYTE saved[256], state[256] = {};
  ::GetKeyboardState(saved);
  if (ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
  if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  ::SetKeyboardState(state);
  ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
  PumpMessages();
  ::SetKeyboardState(saved);
}

const wchar_t* TestWindowClass() {
  static const bool bRegistered = [] {
    WNDCLASSEXW wc = {};
    wc.lpszClassName = L"TanselUiTestWindow";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return CWindow::RegisterClass(wc);
  }();
  return bRegistered ? L"TanselUiTestWindow" : nullptr;
}

std::vector<HWND> ThreadDialogs(DWORD threadId) {
  std::vector<HWND> found;
  ::EnumThreadWindows(
      threadId,
      [](HWND hWnd, LPARAM param) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(hWnd, name, 16);
        if (lstrcmpW(name, L"#32770") == 0)
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND WaitForNewDialog(DWORD threadId, const std::vector<HWND>& before, DWORD timeoutMs,
                      const std::atomic<bool>* pStop) {
  for (const DWORD deadline = ::GetTickCount() + timeoutMs;
       !(pStop && *pStop) && ::GetTickCount() < deadline; ::Sleep(10)) {
    for (HWND h : ThreadDialogs(threadId))
      if (std::find(before.begin(), before.end(), h) == before.end() && ::IsWindowVisible(h))
        return h;
  }
  return nullptr;
}

CBoxAnswerer::CBoxAnswerer(std::function<void(HWND box)> inspect, int button) {
  const DWORD thread = ::GetCurrentThreadId();
  // The next box of the thread under test (any other dialog on the desktop is
  // someone else's), not a dialog it shows already (a clip window).
  m_thread = std::thread([this, thread, inspect, button, before = ThreadDialogs(thread)] {
    if (HWND box = WaitForNewDialog(thread, before, 10000, &m_bStop)) {
      m_bAnswered = true;
      inspect(box);
      if (button) ::PostMessageW(box, WM_COMMAND, button, 0);
    }
  });
}

CBoxAnswerer::~CBoxAnswerer() {
  m_bStop = true;
  m_thread.join();
}

namespace {

bool OpenClipboardWaiting() {
  for (int i = 0; i < 3000; ++i, ::Sleep(1))
    if (::OpenClipboard(nullptr)) return true;
  return false;
}

}  // namespace

bool PutRawClipboard(UINT format, const void* data, size_t size) {
  if (!OpenClipboardWaiting()) return false;
  ::EmptyClipboard();
  if (HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size)) {
    std::memcpy(::GlobalLock(h), data, size);
    ::GlobalUnlock(h);
    if (!::SetClipboardData(format, h)) ::GlobalFree(h);
  }
  ::CloseClipboard();
  return true;
}

bool PutRawText(const wchar_t* text) {
  return PutRawClipboard(CF_UNICODETEXT, text, (::lstrlenW(text) + 1) * sizeof(wchar_t));
}

std::u16string ReadRawText() {
  if (!OpenClipboardWaiting()) return u"<held>";
  std::u16string text = u"<none>";
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const char16_t*>(::GlobalLock(h));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return text;
}

std::vector<int> ListRowsToRedraw(HWND hList) {
  std::vector<int> rows;
  HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
  if (::GetUpdateRgn(hList, hRegion, FALSE) != NULLREGION) {
    const int nCount = static_cast<int>(::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
      RECT r{LVIR_BOUNDS, 0, 0, 0};
      if (::SendMessageW(hList, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)) &&
          ::RectInRegion(hRegion, &r))
        rows.push_back(i);
    }
  }
  ::DeleteObject(hRegion);
  return rows;
}

void DoubleClickListRow(HWND hList, int row, bool bPostSecond) {
  RECT r{LVIR_LABEL, 0, 0, 0};
  ::SendMessageW(hList, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
  int n = 0;
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    const WPARAM keys = m == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    if (bPostSecond && n++ >= 2)
      ::PostMessageW(hList, m, keys, at);
    else
      ::SendMessageW(hList, m, keys, at);
  }
}
