#pragma once
// What windows and dialogs of the program share: the handle, a few message
// helpers, and the lookup from a handle to its C++ object that lets keyboard
// messages be offered to the objects of the target window and its parents
// before they are dispatched.
#include <windows.h>

class CWindowBase {
 public:
  CWindowBase() = default;
  virtual ~CWindowBase();
  CWindowBase(const CWindowBase&) = delete;
  CWindowBase& operator=(const CWindowBase&) = delete;

  HWND Handle() const { return m_hWnd; }
  explicit operator bool() const { return m_hWnd != nullptr; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
  }
  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
  // The rectangle the window has when restored (its normal position), also
  // while it is hidden or minimised; false when it cannot be read.
  bool GetRestoredRect(RECT& rect) const;

  // Called for a queued message aimed at this window or a window inside it,
  // before translation and dispatch. True consumes the message.
  virtual bool PreTranslateMessage(MSG& msg);

  static CWindowBase* FromHandle(HWND hWnd);
  // Offers the message to the objects of its window and of that window's
  // parents, innermost first, up to the top-level window. True when one of
  // them consumed it.
  static bool PreTranslate(MSG& msg);

 protected:
  // Called by the window procedures when the window comes to life and after
  // its last message.
  void Bind(HWND hWnd);
  void Unbind();

  // After the window's last message (WM_NCDESTROY); the handle is gone. An
  // object that owns itself may delete itself here.
  virtual void OnFinalMessage() {}
  // Destroys a window this object created (its procedure keeps the object in
  // the window's slot), without calling back into the object.
  void DestroyOwned(int slot);
  // The end of the object's tie to its window, at WM_NCDESTROY.
  void FinishNcDestroy(HWND hWnd, int slot);

  HWND m_hWnd = nullptr;
};
