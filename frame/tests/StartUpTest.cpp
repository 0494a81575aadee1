// Start-up: the command line, finding the instance that runs already, and
// what Exit undoes in the process.
// Catches: a second start that makes a second instance, misses the running one, or reads the
// command line wrongly; an Exit that keeps the tray icon or the hotkeys, or a loop that goes on.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "base/ScopeExit.h"
#include "frame/Globals.h"
#include "frame/TanselApp.h"
#include "frame/TanselCommandLineInfo.h"
#include "frame/tests/ChainTestSupport.h"
#include "resources/resource.h"

namespace {

TEST(CommandLineTest, OnlyTheSwitchNKeepsTheWindowShown) {
  const struct {
    const wchar_t* line;
    bool shown;
  } cases[] = {
      {L"Tansel.exe", false},           {L"Tansel.exe /n", true},
      {L"Tansel.exe -n", true},         {L"Tansel.exe /N", false},
      {L"Tansel.exe -N", false},        {L"Tansel.exe n", false},  // a plain word
      {L"Tansel.exe notes.txt", false}, {L"Tansel.exe /nn", false},
      {L"Tansel.exe /x /n", true},      {L"\"C:\\Program Files\\Tansel.exe\" /n", true},
      {L"Tansel.exe \"/n\"", true},
  };
  for (const auto& c : cases) {
    CTanselCommandLineInfo info;
    info.ParseCommandLine(c.line);
    EXPECT_EQ(!!info.m_bShowWindow, c.shown) << std::string(c.line, c.line + wcslen(c.line));
  }
}

TEST_F(ChainTest, ASecondStartFindsTheFirstPostsItShowAndMakesNothing) {
  // Another program's window of the same title is passed over.
  CWindow decoy;
  ASSERT_TRUE(decoy.Create(TestWindowClass(), L"Tansel", WS_OVERLAPPEDWINDOW, 0, 0, 0, 50, 50));
  EXPECT_EQ(CTanselApp::FindRunningInstance(), nullptr);
  m_frame = MakeFrame();
  // One made later lies above the frame and is met first.
  CWindow later;
  ASSERT_TRUE(later.Create(TestWindowClass(), L"Tansel", WS_OVERLAPPEDWINDOW, 0, 0, 0, 50, 50));
  ASSERT_EQ(::FindWindowW(nullptr, L"Tansel"), later.Handle());
  EXPECT_EQ(CTanselApp::FindRunningInstance(), m_frame->Handle());
  {
    CTanselApp second;
    EXPECT_FALSE(second.InitInstance(L"Tansel.exe /n"));
    EXPECT_EQ(second.MainFrame(), nullptr) << "no window of its own";
  }
  PumpFor(50);
  EXPECT_EQ(m_frame->m_private, (std::vector<std::pair<UINT, WPARAM>>{{WM_SHOW_MAIN_WINDOW, 0}}));
  EXPECT_TRUE(::IsWindowVisible(m_frame->Handle())) << "the first instance shows its window";
}

// Whether the shell holds the frame's tray icon: it takes a change to it.
bool TrayIconShown(HWND hFrame) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hFrame;
  data.uFlags = NIF_TIP;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// Notes whether the tray icon was still there as the frame's last message came.
LRESULT CALLBACK NoteIconAtEnd(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
  if (message == WM_NCDESTROY) *reinterpret_cast<bool*>(data) = TrayIconShown(hWnd);
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

// What a whole start does is the end-to-end scenarios'; what Exit leaves
// behind inside the process they cannot see.
TEST(StartUpTest, ExitRemovesTheTrayIconAndTheHotkeysAndEndsTheLoop) {
  // The real registry: left clean whichever assertion ends the test.
  const auto clean = [] {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvelle\\Tansel");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         L"Tansel");
  };
  const CScopeExit cleanAtEnd(clean);
  clean();
  CTanselApp app;
  ASSERT_TRUE(app.InitInstance(L"Tansel.exe"));
  const HWND hFrame = app.MainFrame()->Handle();
  EXPECT_TRUE(TrayIconShown(hFrame));
  EXPECT_TRUE(gl_oKeyboardAccelerator.IsRegistered(0x30041));
  bool bIconAtEnd = true;
  ASSERT_TRUE(
      ::SetWindowSubclass(hFrame, NoteIconAtEnd, 1, reinterpret_cast<DWORD_PTR>(&bIconAtEnd)));
  app.MainFrame()->Send(WM_COMMAND, ID_FILE_EXIT);
  EXPECT_FALSE(::IsWindow(hFrame));
  EXPECT_EQ(app.Run(), 0) << "the loop ends at once";
  EXPECT_FALSE(bIconAtEnd) << "the tray icon outlived the window";
  EXPECT_FALSE(gl_oKeyboardAccelerator.IsRegistered(0x30041));
}

}  // namespace
