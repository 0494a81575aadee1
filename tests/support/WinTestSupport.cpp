#include "tests/support/WinTestSupport.h"

#include "ui/Window.h"

void PumpFor(int timeoutMs) {
  WaitFor([] { return false; }, timeoutMs);
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

CBoxAnswerer::CBoxAnswerer(std::function<void(HWND box)> inspect, int button) {
  const DWORD thread = ::GetCurrentThreadId();
  m_thread = std::thread([this, thread, inspect, button] {
    for (const DWORD deadline = ::GetTickCount() + 10000; ::GetTickCount() < deadline;
         ::Sleep(20)) {
      HWND box = ::FindWindowW(L"#32770", nullptr);
      if (!box || ::GetWindowThreadProcessId(box, nullptr) != thread) continue;
      inspect(box);
      ::PostMessageW(box, WM_COMMAND, button, 0);
      m_bAnswered = true;
      return;
    }
  });
}

CBoxAnswerer::~CBoxAnswerer() { m_thread.join(); }
