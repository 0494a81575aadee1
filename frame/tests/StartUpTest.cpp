// Start-up: the command line, finding the instance that runs already, and a
// whole first start and Exit against the real (Wine) registry.
// Catches: a second start that makes a second instance, misses the running one, or reads the
// command line wrongly; a start that skips the first-run settings, shows the window against the
// switch, or leaves its hotkeys unwired; an Exit that keeps the tray icon or forgets the place.
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
  const HWND hViewerBefore = ::GetClipboardViewer();
  {
    CTanselApp second;
    EXPECT_FALSE(second.InitInstance(L"Tansel.exe /n"));
    EXPECT_EQ(second.MainFrame(), nullptr) << "no window of its own";
  }
  EXPECT_EQ(::GetClipboardViewer(), hViewerBefore) << "nor a place in the chain";
  PumpFor(50);
  EXPECT_EQ(m_frame->m_private, (std::vector<std::pair<UINT, WPARAM>>{{WM_SHOW_MAIN_WINDOW, 0}}));
  EXPECT_TRUE(::IsWindowVisible(m_frame->Handle())) << "the first instance shows its window";
}

const wchar_t kTansel[] = L"Software\\Orvelle\\Tansel";
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A DWORD of the real registry; -1 when there is none.
int64_t RegDword(const std::wstring& key, const wchar_t* name) {
  DWORD value = 0, size = sizeof(value);
  return ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS
             ? int64_t{value}
             : -1;
}

// Whether the shell holds the frame's tray icon: it takes a change to it.
bool TrayIconShown(HWND hFrame) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hFrame;
  data.uFlags = NIF_TIP;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// Notes the frame's WM_SHOW_MAIN_WINDOW, and whether the tray icon was still
// there as the window's last message came.
struct FRAME_NOTES {
  int nShow = 0;
  bool bIconAtEnd = true;
};
LRESULT CALLBACK NoteFrame(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  auto& notes = *reinterpret_cast<FRAME_NOTES*>(data);
  if (message == WM_SHOW_MAIN_WINDOW) ++notes.nShow;
  if (message == WM_NCDESTROY) notes.bIconAtEnd = TrayIconShown(hWnd);
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

TEST(StartUpTest, AFirstStartWiresEverythingAndExitUndoesIt) {
  wchar_t exe[MAX_PATH];
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  // The real registry: left clean whichever assertion ends the test.
  const auto clean = [] {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTansel);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, L"Tansel");
  };
  const CScopeExit cleanAtEnd(clean);
  for (bool bSwitch : {false, true}) {
    SCOPED_TRACE(bSwitch ? "/n" : "no switch");
    clean();
    CTanselApp app;
    ASSERT_TRUE(app.InitInstance(bSwitch ? L"Tansel.exe /n" : L"Tansel.exe"));
    const HWND hFrame = app.MainFrame()->Handle();
    EXPECT_EQ(CTanselApp::FindRunningInstance(), hFrame);
    EXPECT_EQ(::IsWindowVisible(hFrame) != FALSE, bSwitch);
    EXPECT_EQ(RegDword(kTansel, L"FirstRun"), 0);
    wchar_t run[MAX_PATH + 8] = {};
    DWORD size = sizeof(run);
    EXPECT_EQ(
        ::RegGetValueW(HKEY_CURRENT_USER, kRun, L"Tansel", RRF_RT_REG_SZ, nullptr, run, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(run, L"\"" + std::wstring(exe) + L"\"");
    EXPECT_TRUE(TrayIconShown(hFrame));
    FRAME_NOTES notes;
    ASSERT_TRUE(::SetWindowSubclass(hFrame, NoteFrame, 1, reinterpret_cast<DWORD_PTR>(&notes)));
    PressKeys({VK_CONTROL, VK_MENU, 'A'});
    EXPECT_TRUE(WaitFor([&] { return notes.nShow == 1; })) << "Ctrl + Alt + A shows the window";
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    app.MainFrame()->Send(WM_COMMAND, ID_FILE_EXIT);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(app.Run(), 0) << "the loop ends at once";
    EXPECT_FALSE(notes.bIconAtEnd) << "the tray icon outlived the window";
    EXPECT_FALSE(gl_oKeyboardAccelerator.IsRegistered(0x30041));
    EXPECT_EQ(RegDword(std::wstring(kTansel) + L"\\MainWindow", L"Width"), 360);
  }
}

}  // namespace
