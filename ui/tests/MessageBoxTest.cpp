// The message box rule: an icon chosen by the buttons when the caller
// requests none, and the box's owner. Its title and text are checked where
// the settings show one.
// Catches: a message box with the wrong icon for its buttons or the wrong owner.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/WinTestSupport.h"
#include "ui/MessageBox.h"
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
    int button, answer;
  } cases[] = {{nullptr, active.Handle(), IDYES, IDYES},
               {other.Handle(), other.Handle(), IDNO, IDNO}};
  for (const auto& c : cases) {
    HWND owner = reinterpret_cast<HWND>(-1);
    int answer;
    {
      CBoxAnswerer box([&](HWND h) { owner = ::GetWindow(h, GW_OWNER); }, c.button);
      answer = AppMessageBox(L"Sure?", MB_YESNO, c.given);
    }
    EXPECT_EQ(owner, c.owner);
    EXPECT_EQ(answer, c.answer);
    ::SetActiveWindow(active.Handle());
  }
}

}  // namespace
