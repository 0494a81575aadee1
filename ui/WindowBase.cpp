#include "ui/WindowBase.h"

#include <commctrl.h>

namespace {
const wchar_t kObjectProperty[] = L"Tansel.Object";
}  // namespace

CWindowBase::~CWindowBase() {
  StopWatchingKeys();
  Unbind();
}

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

bool CWindowBase::WatchKeys(HWND hWnd) {
  // An object bound to a window of its own would lose it here.
  if (m_hWnd && !m_bWatching) return false;
  StopWatchingKeys();
  if (!hWnd) return false;
  Bind(hWnd);
  // The subclass's id is the watcher, so that two watchers of one control
  // each end their own watch.
  m_bWatching =
      ::SetWindowSubclass(hWnd, &CWindowBase::WatchedProc, reinterpret_cast<UINT_PTR>(this),
                          reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  if (!m_bWatching) Unbind();
  return m_bWatching;
}

void CWindowBase::StopWatchingKeys() {
  if (!m_bWatching) return;
  m_bWatching = false;
  ::RemoveWindowSubclass(m_hWnd, &CWindowBase::WatchedProc, reinterpret_cast<UINT_PTR>(this));
  Unbind();
}

LRESULT CALLBACK CWindowBase::WatchedProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  // The watched window dies before its watcher: end the watch while the
  // handle is still valid, so that nothing later touches a dead or reused one.
  if (message == WM_NCDESTROY) reinterpret_cast<CWindowBase*>(data)->StopWatchingKeys();
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
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
