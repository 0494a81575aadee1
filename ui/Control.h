#pragma once
// A control that a dialog or a parent window created and destroys: the
// wrapper only names it. Dialogs bind their wrappers in OnInitDialog from
// Item(id); a wrapper grows only with the calls its users really make.
#include <windows.h>

class CControl {
 public:
  CControl() = default;
  explicit CControl(HWND hWnd) : m_hWnd(hWnd) {}
  // Names another control; the one named before is left as it is.
  void Attach(HWND hWnd) { m_hWnd = hWnd; }
  HWND Handle() const { return m_hWnd; }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }

 protected:
  HWND m_hWnd = nullptr;
};
