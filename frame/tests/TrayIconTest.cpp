// The tray icon's records, as the shell would receive them.
// Catches: a tray icon added, replaced or removed with the wrong record, or not added again when
// the shell restarts.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/TrayIcon.h"

namespace {

class CRecordingTrayIcon : public CTrayIcon {
 public:
  struct CALL {
    DWORD message, size;
    HWND owner;
    UINT id, flags, callback;
    HICON icon;
    std::wstring tip;
  };
  std::vector<CALL> m_calls;
  BOOL m_bShellAnswer = TRUE;

 protected:
  BOOL NotifyShell(DWORD message, NOTIFYICONDATAW& r) override {
    m_calls.push_back(
        {message, r.cbSize, r.hWnd, r.uID, r.uFlags, r.uCallbackMessage, r.hIcon, r.szTip});
    return m_bShellAnswer;
  }
};

TEST(TrayIconTest, EachCallIsAFreshRecordWithOnlyItsFields) {
  CRecordingTrayIcon tray;
  HWND owner = reinterpret_cast<HWND>(0x1234);
  HICON icon = reinterpret_cast<HICON>(0x5678);
  EXPECT_TRUE(tray.SetWindow(owner));
  EXPECT_TRUE(tray.AddIcon(icon));
  EXPECT_TRUE(tray.SetTooltip(u"Tansel"));
  EXPECT_TRUE(tray.SetCallbackMessage(0x7E9));
  EXPECT_TRUE(tray.RemoveIcon());
  ASSERT_EQ(tray.m_calls.size(), 4u);
  const struct {
    DWORD message;
    UINT flags, callback;
    HICON icon;
    const wchar_t* tip;
  } expected[] = {{NIM_ADD, NIF_ICON, 0, icon, L""},
                  {NIM_MODIFY, NIF_TIP, 0, nullptr, L"Tansel"},
                  {NIM_MODIFY, NIF_MESSAGE, 0x7E9, nullptr, L""},
                  {NIM_DELETE, 0, 0, nullptr, L""}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const auto& c = tray.m_calls[i];
    EXPECT_EQ(c.message, expected[i].message);
    EXPECT_EQ(c.size, 952u);
    EXPECT_EQ(c.owner, owner);
    EXPECT_EQ(c.id, 0u);
    EXPECT_EQ(c.flags, expected[i].flags);
    EXPECT_EQ(c.callback, expected[i].callback);
    EXPECT_EQ(c.icon, expected[i].icon);
    EXPECT_EQ(c.tip, expected[i].tip);
  }
}

TEST(TrayIconTest, ASecondIconIsRefusedAndTheTipIsCutTo127Characters) {
  CRecordingTrayIcon tray;
  tray.SetWindow(reinterpret_cast<HWND>(1));
  EXPECT_TRUE(tray.AddIcon(reinterpret_cast<HICON>(2)));
  EXPECT_FALSE(tray.AddIcon(reinterpret_cast<HICON>(3)));
  EXPECT_EQ(tray.m_calls.size(), 1u) << "the shell never hears of the second";
  tray.SetTooltip(std::u16string(200, u'x'));
  EXPECT_EQ(tray.m_calls.back().tip, std::wstring(127, L'x'));
  // Added again after the shell restarted: the same icon.
  EXPECT_TRUE(tray.AddAgain());
  EXPECT_EQ(tray.m_calls.back().message, DWORD(NIM_ADD));
  EXPECT_EQ(tray.m_calls.back().icon, reinterpret_cast<HICON>(2));
}

TEST(TrayIconTest, ANewOwnerRemovesTheShownIconFirstAndKeepsTheOldOnFailure) {
  CRecordingTrayIcon tray;
  HWND first = reinterpret_cast<HWND>(1), second = reinterpret_cast<HWND>(2);
  EXPECT_TRUE(tray.SetWindow(first));
  EXPECT_TRUE(tray.m_calls.empty()) << "nothing shown, nothing to remove";
  tray.AddIcon(reinterpret_cast<HICON>(9));
  tray.m_bShellAnswer = FALSE;
  EXPECT_FALSE(tray.SetWindow(second));
  tray.m_bShellAnswer = TRUE;
  tray.SetTooltip(u"t");
  EXPECT_EQ(tray.m_calls.back().owner, first);
  EXPECT_TRUE(tray.SetWindow(second));
  EXPECT_EQ(tray.m_calls.back().message, DWORD(NIM_DELETE));
  tray.SetTooltip(u"t");
  EXPECT_EQ(tray.m_calls.back().owner, second);
}

}  // namespace
