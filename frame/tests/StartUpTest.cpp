// Start-up: the command line, and finding the instance that runs already.
// Catches: a second start that makes a second instance, misses the running one, or reads the
// command line wrongly.
#include "frame/PrivateMessages.h"
#include "frame/TanselApp.h"
#include "frame/TanselCommandLineInfo.h"
#include "frame/tests/ChainTestSupport.h"

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
  auto frame = MakeFrame();
  // One made later lies above the frame and is met first.
  CWindow later;
  ASSERT_TRUE(later.Create(TestWindowClass(), L"Tansel", WS_OVERLAPPEDWINDOW, 0, 0, 0, 50, 50));
  ASSERT_EQ(::FindWindowW(nullptr, L"Tansel"), later.Handle());
  EXPECT_EQ(CTanselApp::FindRunningInstance(), frame->Handle());

  const HWND hViewerBefore = ::GetClipboardViewer();
  {
    CTanselApp second;
    EXPECT_FALSE(second.InitInstance(L"Tansel.exe /n"));
    EXPECT_EQ(second.MainFrame(), nullptr) << "no window of its own";
  }
  EXPECT_EQ(::GetClipboardViewer(), hViewerBefore) << "nor a place in the chain";
  PumpFor(50);
  EXPECT_EQ(frame->m_private, (std::vector<std::pair<UINT, WPARAM>>{{WM_SHOW_MAIN_WINDOW, 0}}));
  EXPECT_TRUE(::IsWindowVisible(frame->Handle())) << "the first instance shows its window";
}

}  // namespace
