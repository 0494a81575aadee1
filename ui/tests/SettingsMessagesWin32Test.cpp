// The message box that reports a failed registry access.
// Catches: a registry failure reported with the wrong title, text or buttons.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/WinTestSupport.h"
#include "ui/SettingsMessagesWin32.h"
#include "ui/WinText.h"

namespace {

TEST(SettingsMessagesWin32Test, ShowsTheTextInAnOkBoxTitledTanselWithTheExclamationIcon) {
  CString16 title, text;
  bool onlyOk = false, exclamation = false;
  {
    CBoxAnswerer answer(
        [&](HWND box) {
          wchar_t buffer[256] = {};
          GetWindowTextW(box, buffer, 256);
          title = PortableText(buffer);
          GetDlgItemTextW(box, 0xFFFF, buffer, 256);  // the message's static control
          text = PortableText(buffer);
          onlyOk = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL);
          // The icon's control id differs between Windows and Wine; look at each child.
          for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            exclamation |= reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) ==
                           LoadIconW(nullptr, IDI_EXCLAMATION);
        },
        IDOK);
    CSettingsMessagesWin32().ShowError(u"Access denied.\r\n");
  }
  EXPECT_EQ(title, u"Tansel");
  EXPECT_EQ(text, u"Access denied.\r\n");
  EXPECT_TRUE(onlyOk);
  EXPECT_TRUE(exclamation);
}

}  // namespace
