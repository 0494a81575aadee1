// The tray icon's records, as the shell would receive them.
// Catches: a tray icon added, replaced or removed with the wrong record, or not added again when
// the shell restarts.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/TrayIcon.h"

namespace {

// Each call the shell receives, as one line: message, size, owner, id,
// flags, callback message, icon and tip.
class CRecordingTrayIcon : public CTrayIcon {
 public:
  std::vector<std::wstring> m_calls;
  BOOL m_bShellAnswer = TRUE;

 protected:
  BOOL NotifyShell(DWORD message, NOTIFYICONDATAW& r) override {
    wchar_t line[256];
    swprintf(line, 256, L"%lu %lu %p %u %u %x %p %ls", message, r.cbSize, r.hWnd, r.uID, r.uFlags,
             r.uCallbackMessage, r.hIcon, r.szTip);
    m_calls.push_back(line);
    return m_bShellAnswer;
  }
};

using W = std::vector<std::wstring>;

TEST(TrayIconTest, EachCallIsAFreshRecordWithOnlyItsFieldsAndAnOwnerChangeRemovesFirst) {
  CRecordingTrayIcon tray;
  EXPECT_TRUE(tray.SetWindow(reinterpret_cast<HWND>(0x1234)));  // nothing shown, nothing to remove
  EXPECT_TRUE(tray.AddIcon(reinterpret_cast<HICON>(0x5678)));
  EXPECT_FALSE(tray.AddIcon(reinterpret_cast<HICON>(3)));  // the shell never hears of a second
  EXPECT_TRUE(tray.SetTooltip(std::u16string(200, u'x')));
  EXPECT_TRUE(tray.SetCallbackMessage(0x7E9));
  EXPECT_TRUE(tray.AddAgain());  // a new shell
  tray.m_bShellAnswer = FALSE;
  EXPECT_FALSE(tray.SetWindow(reinterpret_cast<HWND>(2)));  // the old owner is kept
  tray.m_bShellAnswer = TRUE;
  tray.SetTooltip(u"t");
  EXPECT_TRUE(tray.SetWindow(reinterpret_cast<HWND>(2)));
  tray.SetTooltip(u"t");
  EXPECT_TRUE(tray.RemoveIcon());
  // NIM_ADD 0, NIM_MODIFY 1, NIM_DELETE 2; NIF_MESSAGE 1, NIF_ICON 2, NIF_TIP 4.
  EXPECT_EQ(tray.m_calls,
            (W{L"0 952 0000000000001234 0 2 0 0000000000005678 ",
               L"1 952 0000000000001234 0 4 0 0000000000000000 " + std::wstring(127, L'x'),
               L"1 952 0000000000001234 0 1 7e9 0000000000000000 ",
               L"0 952 0000000000001234 0 2 0 0000000000005678 ",
               L"2 952 0000000000001234 0 0 0 0000000000000000 ",
               L"1 952 0000000000001234 0 4 0 0000000000000000 t",
               L"2 952 0000000000001234 0 0 0 0000000000000000 ",
               L"1 952 0000000000000002 0 4 0 0000000000000000 t",
               L"2 952 0000000000000002 0 0 0 0000000000000000 "}));
}

}  // namespace
