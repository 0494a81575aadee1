// Timings for the benchmarks, taken the same way for the program and for the
// minimal program it is compared with: one driver call sends the keys and
// polls for the result, so no process start lies between the two.
#include "Driver.h"

#include <commctrl.h>

namespace tdriver {
namespace {

// The rows of the first list view inside a window; -1 when it holds none.
int ListRows(HWND hwnd) {
  HWND list = FindWindowExW(hwnd, nullptr, WC_LISTVIEWW, nullptr);
  if (!list) return -1;
  DWORD_PTR rows = 0;
  if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rows)) return -1;
  return static_cast<int>(rows);
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(OpenerWindow())) return text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

// Presses the keys, polls done() without pausing, and prints the µs from the
// keys to done() being true; fails with failure after timeoutMs.
template <class Done>
int TimeKeysUntil(const std::wstring& keys, DWORD timeoutMs, Done done,
                  const std::wstring& failure) {
  const KeyCombo combo = ParseCombo(keys);
  const int64_t t0 = QpcMicros();
  PressCombo(combo);
  for (const DWORD end = GetTickCount() + timeoutMs; GetTickCount() < end; Sleep(0)) {
    if (done()) {
      OutLine(std::to_wstring(QpcMicros() - t0));
      return kOk;
    }
  }
  Fail(kTimeout, failure);
}

DWORD TimeoutOption(Args& args) {
  return static_cast<DWORD>(ParseInt(args.Option(L"--timeout", L"10000"), L"--timeout"));
}

}  // namespace

int CmdTimePopup(Args& args) {
  const int rows = static_cast<int>(ParseInt(args.Option(L"--rows", L"1"), L"--rows"));
  const DWORD timeout = TimeoutOption(args);
  const auto pos = args.Positional(1, 1);
  const HWND before = GetForegroundWindow();
  return TimeKeysUntil(
      pos[0], timeout,
      [&] {
        const HWND fg = GetForegroundWindow();
        return fg && fg != before && IsWindowVisible(fg) && ListRows(fg) >= rows;
      },
      L"no window with " + std::to_wstring(rows) + L" rows came to the front");
}

int CmdTimeClipboard(Args& args) {
  const DWORD timeout = TimeoutOption(args);
  const auto pos = args.Positional(2, 2);
  const DWORD seq = GetClipboardSequenceNumber();
  return TimeKeysUntil(
      pos[0], timeout,
      [&] { return GetClipboardSequenceNumber() != seq && ClipboardText() == pos[1]; },
      L"the clipboard never held the text");
}

int CmdWaitHotkeyTaken(Args& args) {
  const DWORD timeout =
      static_cast<DWORD>(ParseInt(args.Option(L"--timeout", L"30000"), L"--timeout"));
  const auto pos = args.Positional(1, 1);
  const KeyCombo combo = ParseCombo(pos[0]);
  for (const DWORD end = GetTickCount() + timeout; GetTickCount() < end; Sleep(1)) {
    // A combination another program holds cannot be registered.
    if (!RegisterHotKey(nullptr, 0x7A5, combo.modifiers, combo.vk)) {
      OutLine(std::to_wstring(UnixMicros()));
      return kOk;
    }
    UnregisterHotKey(nullptr, 0x7A5);
  }
  Fail(kTimeout, L"nobody took the hotkey");
}

}  // namespace tdriver
