#include "ui/MessageLoop.h"

#include "ui/WindowBase.h"

namespace {

void Handle(MSG& msg) {
  bool bConsumed = false;
  try {
    bConsumed = CWindowBase::PreTranslate(msg);
  } catch (...) {
    // A filter that failed has consumed the message: the program goes on.
    bConsumed = true;
  }
  if (!bConsumed) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace

int RunMessageLoop() {
  MSG msg;
  BOOL bResult;
  while ((bResult = ::GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (bResult == -1) return -1;
    Handle(msg);
  }
  return static_cast<int>(msg.wParam);
}

bool PumpMessages(int* pExitCode) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      if (pExitCode) *pExitCode = static_cast<int>(msg.wParam);
      return false;
    }
    Handle(msg);
  }
  return true;
}
