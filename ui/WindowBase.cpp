#include "ui/WindowBase.h"

#include <commctrl.h>

namespace {
const wchar_t kObjectProperty[] = L"Tansel.Object";
}  // namespace

CWindowBase::~CWindowBase() { Unbind(); }

bool CWindowBase::PreTranslateMessage(MSG&) { return false; }

bool CWindowBase::GetRestoredRect(RECT& rect) const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!::GetWindowPlacement(m_hWnd, &placement)) return false;
  rect = placement.rcNormalPosition;
  return true;
}

void CWindowBase::Bind(HWND hWnd) {
  m_hWnd = hWnd;
  ::SetPropW(hWnd, kObjectProperty, this);
}

void CWindowBase::Unbind() {
  if (m_hWnd && FromHandle(m_hWnd) == this) ::RemovePropW(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
}

void CWindowBase::DestroyOwned(int slot) {
  HWND hWnd = m_hWnd;
  // Only a window this object created; an attached one belongs to others.
  if (hWnd && ::GetWindowLongPtrW(hWnd, slot) == reinterpret_cast<LONG_PTR>(this)) {
    ::SetWindowLongPtrW(hWnd, slot, 0);
    Unbind();
    ::DestroyWindow(hWnd);
  }
}

void CWindowBase::FinishNcDestroy(HWND hWnd, int slot) {
  ::SetWindowLongPtrW(hWnd, slot, 0);
  Unbind();
  try {
    OnFinalMessage();
  } catch (...) {
  }
}

CWindowBase* CWindowBase::FromHandle(HWND hWnd) {
  return hWnd ? static_cast<CWindowBase*>(::GetPropW(hWnd, kObjectProperty)) : nullptr;
}

bool CWindowBase::PreTranslate(MSG& msg) {
  for (HWND h = msg.hwnd; h; h = ::GetParent(h)) {
    if (CWindowBase* pObject = FromHandle(h))
      if (pObject->PreTranslateMessage(msg)) return true;
    // GetParent of a top-level window is its owner, which is not "inside".
    if (!(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}
