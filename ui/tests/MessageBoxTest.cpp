// The message box rule: an icon chosen by the buttons when the caller
// requests none, and the box's owner; and the box that reports a failed
// registry access.
// Catches: a message box with the wrong icon for its buttons or the wrong owner; a registry
// failure reported with the wrong title, text, buttons or icon.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/WinTestSupport.h"
#include "ui/MessageBox.h"
#include "ui/SettingsMessagesWin32.h"
#include "ui/Window.h"

namespace {

TEST(MessageBoxTest, ButtonsChooseTheIconWhenNoneIsRequested) {
  const struct {
    UINT requested;
    UINT shown;
  } cases[] = {
      {MB_OK, MB_OK | MB_ICONEXCLAMATION},
      {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
      {MB_YESNO, MB_YESNO | MB_ICONQUESTION},
      {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION},
      {MB_YESNO | MB_DEFBUTTON2, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION},
      // An explicit icon stays as requested.
      {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
      {MB_YESNO | MB_ICONERROR, MB_YESNO | MB_ICONERROR},
      // Buttons the program never uses get no icon.
      {MB_RETRYCANCEL, MB_RETRYCANCEL},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MessageBoxFlags(c.requested), c.shown) << "requested 0x" << std::hex << c.requested;
}

TEST(MessageBoxTest, TheBoxBelongsToTheActiveWindowUnlessAnOwnerIsGiven) {
  CWindow active, other;
  ASSERT_TRUE(active.Create(TestWindowClass(), L"active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0,
                            200, 100));
  ASSERT_TRUE(other.Create(TestWindowClass(), L"other", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100));
  ::SetActiveWindow(active.Handle());
  ASSERT_TRUE(WaitFor([&] { return ::GetActiveWindow() == active.Handle(); }));
  const struct {
    HWND given, owner;
    int button;
  } cases[] = {{nullptr, active.Handle(), IDYES}, {other.Handle(), other.Handle(), IDNO}};
  for (const auto& c : cases) {
    HWND owner = reinterpret_cast<HWND>(-1);
    int answer;
    {
      CBoxAnswerer box([&](HWND h) { owner = ::GetWindow(h, GW_OWNER); }, c.button);
      answer = AppMessageBox(L"Sure?", MB_YESNO, c.given);
    }
    EXPECT_EQ(owner, c.owner);
    EXPECT_EQ(answer, c.button);
    ::SetActiveWindow(active.Handle());
  }
}

TEST(MessageBoxTest, ARegistryFailureShowsTheTextInAnOkBoxTitledTanselWithTheExclamationIcon) {
  // The box as "title: text", then its buttons and icon.
  std::wstring seen;
  {
    CBoxAnswerer answer(
        [&](HWND box) {
          wchar_t title[64] = {};
          GetWindowTextW(box, title, 64);
          seen = title + (L": " + ItemText(box, 0xFFFF));  // the message's static control
          seen += GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) ? L" OK" : L" more";
          // The icon's control id differs between Windows and Wine; look at each child.
          for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) ==
                LoadIconW(nullptr, IDI_EXCLAMATION))
              seen += L" !";
        },
        IDOK);
    CSettingsMessagesWin32().ShowError(u"Access denied.\r\n");
  }
  EXPECT_EQ(seen, L"Tansel: Access denied.\r\n OK !");
}

}  // namespace
