#include "ui/Window.h"

CWindow::~CWindow() { DestroyOwned(GWLP_USERDATA); }

bool CWindow::RegisterClass(WNDCLASSEXW wc) {
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &CWindow::StaticWindowProc;
  if (!wc.hInstance) wc.hInstance = ::GetModuleHandleW(nullptr);
  if (::RegisterClassExW(&wc)) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindow::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                     int x, int y, int width, int height, HWND parent, HMENU menu) {
  if (m_hWnd) return false;
  HWND hWnd = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                                ::GetModuleHandleW(nullptr), this);
  if (hWnd && m_hWnd != hWnd) {
    // A class with another procedure: the object could never see a message.
    ::DestroyWindow(hWnd);
    return false;
  }
  return hWnd != nullptr;
}

bool CWindow::CreateChild(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                          int width, int height, HWND parent, UINT id) {
  return Create(className, title, style | WS_CHILD, 0, x, y, width, height, parent,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CWindow::Destroy() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWindow* pWindow;
  if (message == WM_NCCREATE) {
    pWindow = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (pWindow) {
      ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pWindow));
      pWindow->Bind(hWnd);
    }
  } else {
    pWindow = reinterpret_cast<CWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let
  // go of the window.
  if (!pWindow) return ::DefWindowProcW(hWnd, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = pWindow->WindowProc(message, wParam, lParam);
  } catch (...) {
    // An item index that names no item, or memory running out, ends the
    // message; the program goes on.
    result = 0;
  }
  if (message == WM_NCDESTROY) pWindow->FinishNcDestroy(hWnd, GWLP_USERDATA);
  return result;
}
