// The message box that reports a failed registry access.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "ui/SettingsMessagesWin32.h"
#include "ui/WinText.h"

namespace {

TEST(SettingsMessagesWin32Test, ShowsTheTextInAnOkBoxTitledTanselWithTheExclamationIcon) {
  CString16 title, text;
  bool onlyOk = false, exclamation = false;
  // Waits for a box of this thread, notes what it shows and presses OK.
  const DWORD thread = GetCurrentThreadId();
  std::thread answer([&] {
    for (const DWORD deadline = GetTickCount() + 10000; GetTickCount() < deadline; Sleep(20)) {
      HWND box = FindWindowW(L"#32770", nullptr);
      if (!box || GetWindowThreadProcessId(box, nullptr) != thread) continue;
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
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
  });
  CSettingsMessagesWin32().ShowError(u"Access denied.\r\n");
  answer.join();
  EXPECT_EQ(title, u"Tansel");
  EXPECT_EQ(text, u"Access denied.\r\n");
  EXPECT_TRUE(onlyOk);
  EXPECT_TRUE(exclamation);
}

}  // namespace
