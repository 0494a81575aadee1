#pragma once
// Base of the program's own windows. The class procedure finds the object
// through GWLP_USERDATA (stored at WM_NCCREATE) and calls WindowProc, which a
// derived class implements as one switch calling named handlers, passing
// everything else to Default(). The procedure is an exception barrier:
// nothing unwinds through user32.
#include <windows.h>

#include "ui/WindowBase.h"

class CWindow : public CWindowBase {
 public:
  CWindow() = default;
  // Destroys a window that is still alive, without calling back into the
  // object being destroyed.
  ~CWindow() override;

  // Registers a class whose procedure is CWindow's. Fills in the procedure,
  // the instance (when none) and the size; an existing class of the same name
  // counts as success.
  static bool RegisterClass(WNDCLASSEXW wc);

  // The class must have been registered through RegisterClass.
  bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
              int y, int width, int height, HWND parent = nullptr, HMENU menu = nullptr);
  bool CreateChild(const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                   int width, int height, HWND parent, UINT id);
  void Destroy();

 protected:
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
