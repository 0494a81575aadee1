#include "tests/support/WinTestSupport.h"

#include "ui/Window.h"

void PumpFor(int timeoutMs) { WaitFor([] { return false; }, timeoutMs); }

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
