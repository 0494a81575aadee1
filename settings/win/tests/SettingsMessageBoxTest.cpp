// The message box that reports a failed registry access.
#include <gtest/gtest.h>

#include <thread>

#include "settings/win/SettingsMessageBox.h"
#include "settings/win/tests/WinTestSupport.h"

namespace {

TEST(SettingsMessageBoxTest, ShowsTheTextInAnOkBoxWithTheExclamationIcon) {
  CString16 text;
  bool found = false, hasOk = false, hasCancel = false, exclamation = false;
  // Waits for the box, notes what it shows and presses OK.
  std::thread answer([&] {
    for (const DWORD deadline = GetTickCount() + 10000; GetTickCount() < deadline; Sleep(20)) {
      HWND box = FindWindowW(L"#32770", L"Tansel");
      if (!box) continue;
      wchar_t buffer[256] = {};
      GetDlgItemTextW(box, 0xFFFF, buffer, 256);  // the message's static control
      text = PortableText(buffer);
      hasOk = GetDlgItem(box, IDOK) != nullptr;
      hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
      // The icon's control id differs between Windows and Wine; look at each child.
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        exclamation |= reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) ==
                       LoadIconW(nullptr, IDI_EXCLAMATION);
      found = true;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
  });
  CSettingsMessageBox().ShowError(u"Access denied.\r\n");
  answer.join();
  ASSERT_TRUE(found);
  EXPECT_EQ(text, u"Access denied.\r\n");
  EXPECT_TRUE(hasOk && !hasCancel);
  EXPECT_TRUE(exclamation);
}

}  // namespace
