// The message box rule: an icon chosen by the buttons when the caller
// requests none. The box itself is checked where the settings show one.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/MessageBox.h"

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

}  // namespace
