// The frame in the clipboard viewer chain, against the real (Wine) chain with
// test viewers of our own in it.
// Catches: a frame that captures before forwarding, captures while joining, breaks the chain when a
// member leaves, rejoins at the wrong period, or loses a copy in a burst or behind a held
// clipboard.
#include "core/tests/HistoryTexts.h"
#include "frame/PrivateMessages.h"
#include "frame/tests/ChainTestSupport.h"
#include "settings/StartUp.h"

namespace {

TEST_F(ChainTest, JoiningCapturesNothingAndTheNextViewerHearsBeforeTheCapture) {
  CopyText(L"already there");
  CTestViewer v1("V1");
  PumpFor(100);
  g_log.clear();
  auto frame = MakeFrame();
  EXPECT_EQ(frame->GetNextViewer(), v1.Handle());
  EXPECT_EQ(::GetClipboardViewer(), frame->Handle());
  PumpFor(200);
  EXPECT_EQ(m_doc->GetItemCount(), 0) << "the text on the clipboard at start is not captured";
  EXPECT_FALSE(LogHas("V1:draw")) << "the notice of the join is not forwarded";

  CopyText(L"copied");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:copied"); }));
  const std::vector<std::string> expected{"V1:draw", "capture:copied"};
  EXPECT_EQ(DrawsAndCaptures(), expected);
}

TEST_F(ChainTest, RejoinAddsNoItemAndForwardsNothing) {
  CTestViewer v1("V1");
  auto frame = MakeFrame();
  CopyText(L"one");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:one"); }));
  g_log.clear();
  frame->ResetClipboardViewer();
  frame->Send(WM_RESET_CLIPBOARD_VIEWER);  // the hotkey command
  frame->Send(WM_TIMER, 12345);            // a tick, whatever its id
  PumpFor(300);
  EXPECT_EQ(m_doc->GetItemCount(), 1);
  EXPECT_FALSE(LogHas("V1:draw"));
  EXPECT_EQ(frame->GetNextViewer(), v1.Handle());
  EXPECT_EQ(::GetClipboardViewer(), frame->Handle());
  EXPECT_FALSE(frame->IsJoining());
}

TEST_F(ChainTest, TimerTickPutsTheFrameBackAtTheHead) {
  auto frame = MakeFrame();
  CTestViewer late("LATE");  // joins after the frame: now the head
  EXPECT_EQ(::GetClipboardViewer(), late.Handle());
  frame->Send(WM_TIMER, CMainFrame::kRejoinTimerId);
  EXPECT_EQ(::GetClipboardViewer(), frame->Handle());
  EXPECT_EQ(frame->GetNextViewer(), late.Handle());
  PumpFor(100);
  EXPECT_EQ(m_doc->GetItemCount(), 0);
}

TEST_F(ChainTest, LeavingNextViewerIsReplacedByItsFollowerWhichHearsTheNotice) {
  CTestViewer f("F");
  CTestViewer r("R");
  auto frame = MakeFrame();
  ASSERT_EQ(frame->GetNextViewer(), r.Handle());
  g_log.clear();
  r.Leave();
  ASSERT_TRUE(WaitFor([&] { return frame->GetNextViewer() == f.Handle(); }));
  PumpFor(100);
  EXPECT_TRUE(LogHas("F:chain(" + Narrow(r.Handle()) + "," + Narrow(f.Handle()) + ")"));
  g_log.clear();
  CopyText(L"after repair");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:after repair"); }));
  EXPECT_EQ(DrawsAndCaptures(), (std::vector<std::string>{"F:draw", "capture:after repair"}));
}

TEST_F(ChainTest, NoticeAboutAMemberFurtherDownIsPassedOnUnchanged) {
  CTestViewer f("F");
  CTestViewer r("R");
  auto frame = MakeFrame();  // frame -> R -> F
  g_log.clear();
  f.Leave();
  ASSERT_TRUE(WaitFor([&] { return LogHas("R:chain(" + Narrow(f.Handle()) + ",0)"); }));
  EXPECT_EQ(frame->GetNextViewer(), r.Handle());
}

TEST_F(ChainTest, ResetHotkeyPutsTheFrameBackAtTheHead) {
  auto frame = MakeFrame();
  const uint32_t kCtrlAltShiftF9 = 0x70000 | VK_F9;
  m_accelerator.AddHotkeyMessageID(kCtrlAltShiftF9, WM_RESET_CLIPBOARD_VIEWER);
  ASSERT_TRUE(m_accelerator.IsRegistered(kCtrlAltShiftF9));
  CTestViewer late("LATE");
  ASSERT_EQ(::GetClipboardViewer(), late.Handle());
  PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9});
  EXPECT_TRUE(WaitFor([&] { return ::GetClipboardViewer() == frame->Handle(); }));
  EXPECT_EQ(frame->GetNextViewer(), late.Handle());
  m_accelerator.RemoveHotkeyMessageID(kCtrlAltShiftF9);
}

TEST_F(ChainTest, ALinkToTheFrameItselfIsNeverFollowed) {
  auto frame = MakeFrame();
  frame->SetNextViewer(frame->Handle());
  CopyText(L"self");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:self"); }));
  EXPECT_EQ(frame->GetNextViewer(), frame->Handle()) << "a change notice leaves the link";
  EXPECT_EQ(m_doc->GetItemCount(), 1);

  // A chain notice that would make the link point at the frame clears it.
  HWND hOther = reinterpret_cast<HWND>(0x1234);
  frame->SetNextViewer(hOther);
  frame->Send(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(hOther),
              reinterpret_cast<LPARAM>(frame->Handle()));
  EXPECT_EQ(frame->GetNextViewer(), nullptr);
}

TEST_F(ChainTest, OwnActivationIsForwardedButNotCaptured) {
  CTestViewer v1("V1");
  auto frame = MakeFrame();
  CopyText(L"a");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:a"); }));
  CopyText(L"b");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:b"); }));
  g_log.clear();
  ASSERT_TRUE(m_doc->ActivateItem(1));
  ASSERT_TRUE(WaitFor([] { return LogHas("V1:draw"); }));
  PumpFor(100);
  EXPECT_EQ(m_doc->GetItemCount(), 2);
  EXPECT_EQ(m_doc->GetItem(0)->strText, u"a");
  EXPECT_FALSE(m_doc->IsSkippingClipboardChange());
}

TEST_F(ChainTest, DestroyedFrameLeavesTheChain) {
  CTestViewer v1("V1");
  {
    auto frame = MakeFrame();
    EXPECT_EQ(::GetClipboardViewer(), frame->Handle());
    frame->Destroy();
    PumpFor(50);
  }
  EXPECT_EQ(::GetClipboardViewer(), v1.Handle());
  g_log.clear();
  CopyText(L"nobody captures");
  ASSERT_TRUE(WaitFor([] { return LogHas("V1:draw"); }));
  EXPECT_EQ(m_doc->GetItemCount(), 0);
}

TEST_F(ChainTest, RejoinPeriodHasASignedFloor) {
  struct Case {
    bool bStored;
    int32_t nStored;
    UINT nPeriod;
  } cases[] = {
      {false, 0, 10000}, {true, 3000, 10000}, {true, 60000, 60000},
      {true, -5, 10000}, {true, 0, 10000},    {true, 10000, 10000},
  };
  for (auto& c : cases) {
    if (c.bStored)
      m_store.PutDword(u"Software\\Orvelle\\Tansel\\Options", u"ResetClipboardTimer",
                       static_cast<uint32_t>(c.nStored));
    auto frame = MakeFrame();
    EXPECT_EQ(frame->GetRejoinPeriod(), c.nPeriod) << c.nStored;
    EXPECT_TRUE(::KillTimer(frame->Handle(), CMainFrame::kRejoinTimerId))
        << "the timer runs with id 0";
  }
}

}  // namespace

namespace {

TEST_F(ChainTest, TheWindowIsCreatedWhereTheSettingsLeftIt) {
  const struct {
    bool bStored;
    RECT rect;
  } cases[] = {{false, {0, 0, 360, 550}}, {true, {40, 30, 340, 430}}};
  for (const auto& c : cases) {
    if (c.bStored)
      for (auto [name, value] :
           {std::pair{u"Left", 40}, {u"Top", 30}, {u"Width", 300}, {u"Height", 400}})
        m_store.PutDword(u"Software\\Orvelle\\Tansel\\MainWindow", name, value);
    auto frame = MakeFrame();
    RECT rect{};
    ::GetWindowRect(frame->Handle(), &rect);
    EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right, rect.bottom}),
              std::vector<LONG>({c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}));
    EXPECT_FALSE(::IsWindowVisible(frame->Handle()));
  }
}

TEST_F(ChainTest, DestructionSavesTheRestoredRectangleAndTheDockingSwitch) {
  const CString16 key = u"Software\\Orvelle\\Tansel\\MainWindow";
  m_store.PutDword(key, u"DockingEnabled", 0);
  {
    auto frame = MakeFrame();
    ::SetWindowPos(frame->Handle(), nullptr, 70, 80, 333, 444, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(frame->Handle(), SW_MINIMIZE);  // the restored rectangle is what counts
  }                                              // destroyed with its window alive
  uint32_t type = 0;
  std::vector<uint8_t> data;
  std::vector<uint32_t> values;
  for (const char16_t* name : {u"Left", u"Top", u"Width", u"Height", u"DockingEnabled"}) {
    uint32_t value = 0xBAD;
    if (m_store.GetValue(key, name, type, data) && data.size() == 4) memcpy(&value, data.data(), 4);
    values.push_back(value);
  }
  EXPECT_EQ(values, (std::vector<uint32_t>{70, 80, 333, 444, 0}));
}

}  // namespace

namespace {

TEST_F(ChainTest, TheRejoinTimerRunsWithThePeriodReadAtCreation) {
  // Above the floor and not the default: neither could stand in for it.
  m_store.PutDword(u"Software\\Orvelle\\Tansel\\Options", u"ResetClipboardTimer", 12000);
  auto frame = MakeFrame();
  const DWORD tJoined = ::GetTickCount();
  CTestViewer late("LATE");  // joins after the frame: the head until the next tick
  const bool bBackEarly = WaitFor([&] { return ::GetClipboardViewer() == frame->Handle(); }, 10500);
  EXPECT_FALSE(bBackEarly) << "rejoined after " << ::GetTickCount() - tJoined << " ms";
  EXPECT_TRUE(WaitFor([&] { return ::GetClipboardViewer() == frame->Handle(); }, 7000))
      << "no rejoin within 17.5 s";
  EXPECT_EQ(frame->GetNextViewer(), late.Handle());
}

TEST_F(ChainTest, TheResetMessageOfItsHotkeyIs1226AndRejoinsAtOnce) {
  auto frame = MakeFrame();
  CTestViewer late("LATE");
  ASSERT_EQ(::GetClipboardViewer(), late.Handle());
  EXPECT_EQ(frame->Send(1226), 0);
  EXPECT_EQ(::GetClipboardViewer(), frame->Handle());
  EXPECT_EQ(frame->GetNextViewer(), late.Handle());
}

TEST_F(ChainTest, TheMainWindowHearsEachChangeLaterWithItsHint) {
  auto frame = MakeFrame();
  CopyText(L"a");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:a"); }));
  m_doc->NotifyChange(0);
  m_doc->NotifyChange(4);
  EXPECT_EQ(frame->m_private, (std::vector<std::pair<UINT, WPARAM>>{{WM_HISTORY_CHANGED, 0}}))
      << "posted: the later ones wait for the loop";
  PumpFor(50);
  EXPECT_EQ(frame->m_private,
            (std::vector<std::pair<UINT, WPARAM>>{
                {WM_HISTORY_CHANGED, 0}, {WM_HISTORY_CHANGED, 1}, {WM_HISTORY_CHANGED, 5}}));
}

TEST_F(ChainTest, StartUpsRegistrationMakesTheDefaultHotkeyReachTheFrame) {
  auto frame = MakeFrame();
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  RegisterHotkeys(commands, m_accelerator);  // an empty store: the built-in hotkeys
  PumpFor(50);
  frame->m_private.clear();
  PressKeys({VK_CONTROL, VK_MENU, 'A'});
  EXPECT_TRUE(WaitFor([&] {
    for (auto& m : frame->m_private)
      if (m.first == WM_SHOW_MAIN_WINDOW) return true;
    return false;
  })) << "Ctrl + Alt + A delivers Show Main Window";
}

// Another program's thread: copies, then holds the clipboard for a while.
// The frame's thread does not pump until the hold has begun, so the copy's
// notice finds the clipboard held.
class CHoldingCopier {
 public:
  CHoldingCopier(const wchar_t* text, int nHoldMs)
      : m_hHeld(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_thread = std::thread([this, text, nHoldMs] {
      // Opened by a window, as such tools do: Wine lets a second opener
      // without a window in beside one without.
      const HWND hOwner = ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                            nullptr, nullptr, nullptr);
      m_bCopied = PutRawText(text);
      const bool bOpen = ::OpenClipboard(hOwner) != FALSE;
      m_bCopied = m_bCopied && bOpen;
      ::SetEvent(m_hHeld);
      ::Sleep(nHoldMs);
      if (bOpen) ::CloseClipboard();
      ::DestroyWindow(hOwner);
    });
  }
  ~CHoldingCopier() {
    m_thread.join();
    ::CloseHandle(m_hHeld);
  }
  bool WaitHeld() { return ::WaitForSingleObject(m_hHeld, 5000) == WAIT_OBJECT_0 && m_bCopied; }

 private:
  HANDLE m_hHeld;
  std::atomic<bool> m_bCopied{false};
  std::thread m_thread;
};

TEST_F(ChainTest, ACopyWhoseClipboardIsHeldAMomentIsReadOnceItIsFree) {
  auto frame = MakeFrame();
  {
    CHoldingCopier copier(L"held a moment", 300);
    ASSERT_TRUE(copier.WaitHeld());
    EXPECT_TRUE(WaitFor([&] { return m_doc->IsCapturePending() != FALSE; }, 2000))
        << "the notice found the clipboard held";
    EXPECT_EQ(m_doc->GetItemCount(), 0);
    EXPECT_TRUE(WaitFor([] { return LogHas("capture:held a moment"); }, 3000));
  }
  EXPECT_FALSE(m_doc->IsCapturePending());
  PumpFor(100);
  EXPECT_EQ(HistoryTexts(*m_doc), std::vector<std::u16string>{u"held a moment"});
}

TEST_F(ChainTest, ABurstOfCopiesFillsNoRowTwice) {
  // Another thread copies while the frame does not pump: by the time the
  // notices are handled the clipboard holds the last text, and the system's
  // change numbers tell the late notices from new changes.
  auto frame = MakeFrame();
  std::thread burst([] {
    for (int i = 1; i <= 20; ++i) PutRawText((L"burst " + std::to_wstring(i)).c_str());
  });
  burst.join();
  PumpFor(300);
  const std::vector<std::u16string> texts = HistoryTexts(*m_doc);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), u"burst 20");
  for (size_t i = 1; i < texts.size(); ++i) EXPECT_NE(texts[i], texts[i - 1]) << i;
}

}  // namespace
