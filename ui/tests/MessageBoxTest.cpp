// The message box rule: title "Tansel", an icon chosen by the buttons when
// the caller requests none.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "ui/MessageBox.h"

namespace {

TEST(MessageBoxTest, ButtonsChooseTheIconWhenNoneIsRequested) {
  struct Case {
    UINT requested;
    UINT shown;
  };
  const Case cases[] = {
      {MB_OK, MB_OK | MB_ICONEXCLAMATION},
      {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
      {MB_YESNO, MB_YESNO | MB_ICONQUESTION},
      {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION},
      {MB_YESNO | MB_DEFBUTTON2, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION},
      // An explicit icon stays as requested.
      {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
      {MB_YESNO | MB_ICONWARNING, MB_YESNO | MB_ICONWARNING},
      {MB_YESNO | MB_ICONERROR, MB_YESNO | MB_ICONERROR},
      // Buttons the program never uses get no icon.
      {MB_RETRYCANCEL, MB_RETRYCANCEL},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MessageBoxFlags(c.requested), c.shown) << "requested 0x" << std::hex << c.requested;
}

// The first visible dialog box of a thread, or null.
HWND FindBoxOfThread(DWORD threadId) {
  HWND hFound = nullptr;
  ::EnumThreadWindows(
      threadId,
      [](HWND hWnd, LPARAM lParam) -> BOOL {
        wchar_t className[16] = {};
        ::GetClassNameW(hWnd, className, 16);
        if (std::wstring(className) != L"#32770" || !::IsWindowVisible(hWnd)) return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&hFound));
  return hFound;
}

// Another thread finds the box, reads its title and presses a button.
TEST(MessageBoxTest, BoxIsTitledTanselAndReturnsThePressedButton) {
  struct Case {
    UINT type;
    int button;
  };
  const Case cases[] = {{MB_YESNO, IDNO}, {MB_YESNO, IDYES}, {MB_OK, IDOK}};
  const DWORD threadId = ::GetCurrentThreadId();
  for (const auto& c : cases) {
    std::wstring title;
    std::thread presser([&] {
      for (int i = 0; i < 4000; ++i) {
        if (HWND hBox = FindBoxOfThread(threadId)) {
          wchar_t text[64] = {};
          ::GetWindowTextW(hBox, text, 64);
          title = text;
          ::PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(::GetDlgItem(hBox, c.button)));
          return;
        }
        ::Sleep(5);
      }
    });
    const int result = AppMessageBox(L"Are you sure?", c.type);
    presser.join();
    EXPECT_EQ(title, L"Tansel");
    EXPECT_EQ(result, c.button);
  }
}

}  // namespace
