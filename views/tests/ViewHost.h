#pragma once
// A plain top-level window with the main menu, holding a history list view
// and passing it the menu's commands and the opening of the menu's popups,
// as the main frame does. The view tests drive it; chain_host shows it so
// that a person can try the view by hand.
#include <windows.h>

#include <functional>

#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Menu.h"
#include "views/TanselListView.h"

class CViewHost : public CWindow {
 public:
  CViewHost(CTanselDoc& doc, ITextServices& text, IUserPrompt& prompt)
      : m_view(doc, text, prompt) {}
  ~CViewHost() override { Destroy(); }

  bool Create(const wchar_t* title, bool bVisible, int width = 520, int height = 400) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"TanselViewHost";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!RegisterClass(wc)) return false;
    CMenu menu;
    menu.Load(IDR_MAINFRAME);
    const DWORD style = WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0);
    const UINT dpi = WindowDpi(nullptr);
    if (!CWindow::Create(L"TanselViewHost", title, style, 0, 40, 40, ScaleForDpi(width, dpi),
                         ScaleForDpi(height, dpi), nullptr, menu.Get()))
      return false;
    menu.Release();  // the window destroys its menu bar
    return true;
  }
  CTanselListView& View() { return m_view; }
  // Run when WM_APP arrives: what tests make happen while a modal dialog of
  // the view runs its own loop.
  std::function<void()> m_fnOnApp;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE: {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        return m_view.Create(m_hWnd, client, 1) ? 0 : -1;
      }
      case WM_SIZE:
        ::MoveWindow(m_view.Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
      case WM_SETFOCUS:
        ::SetFocus(m_view.Handle());
        return 0;
      case WM_INITMENUPOPUP:
        m_view.OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
      case WM_APP:
        if (m_fnOnApp) m_fnOnApp();
        return 0;
      case WM_COMMAND:
        // The view first, as the frame routes every command.
        if (m_view.OnCommand(LOWORD(wParam))) return 0;
        break;
    }
    return Default(message, wParam, lParam);
  }

 private:
  CTanselListView m_view;
};
