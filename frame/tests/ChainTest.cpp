// The frame in the clipboard viewer chain, against the real (Wine) chain with
// test viewers of our own in it; its place on the screen kept in the settings.
// The system calls the frame back from inside CloseClipboard, so the capture
// of an own write runs while the write is still on the stack.
// Catches: a frame that captures before forwarding, captures while joining, breaks the chain when a
// member leaves, rejoins at the wrong period or by the wrong message, captures its own write
// twice, loses a copy in a burst or behind a held clipboard, forgets its place, or stays in the
// chain once destroyed.
#include "frame/tests/ChainTestSupport.h"
#include "resources/resource.h"
#include "settings/StartUp.h"

namespace {

TEST_F(ChainTest, JoiningCapturesNothingAndTheNextViewerHearsBeforeTheCapture) {
  ASSERT_TRUE(PutRawText(L"already there"));
  CTestViewer v1("V1");
  PumpFor(100);
  g_log.clear();
  m_frame = MakeFrame();
  EXPECT_EQ(m_frame->GetNextViewer(), v1.Handle());
  EXPECT_EQ(::GetClipboardViewer(), m_frame->Handle());
  PumpFor(200);
  EXPECT_EQ(m_doc->GetItemCount(), 0) << "the text on the clipboard at start is not captured";
  EXPECT_FALSE(LogHas("V1:draw")) << "the notice of the join is not forwarded";
  Copy({L"copied"});
  EXPECT_EQ(DrawsAndCaptures(), (std::vector<std::string>{"V1:draw", "capture:copied"}));
  // Destroyed, it leaves the chain as it was.
  m_frame->Destroy();
  PumpFor(50);
  EXPECT_EQ(::GetClipboardViewer(), v1.Handle());
  g_log.clear();
  ASSERT_TRUE(PutRawText(L"nobody captures"));
  ASSERT_TRUE(WaitFor([] { return LogHas("V1:draw"); }));
  EXPECT_EQ(m_doc->GetItemCount(), 1);
}

TEST_F(ChainTest, EveryWayOfRejoiningPutsTheFrameBackAtTheHeadAndAddsNothing) {
  CTestViewer v1("V1");
  m_frame = MakeFrame();
  Copy({L"one"});
  const uint32_t kCtrlAltShiftF9 = 0x70000 | VK_F9;
  m_accelerator.AddHotkeyMessageID(kCtrlAltShiftF9, WM_RESET_CLIPBOARD_VIEWER);
  ASSERT_TRUE(m_accelerator.IsRegistered(kCtrlAltShiftF9));
  const struct {
    const char* what;
    std::function<void()> rejoin;
  } ways[] = {
      {"ResetClipboardViewer", [&] { m_frame->ResetClipboardViewer(); }},
      {"its message, 1226", [&] { m_frame->Send(1226); }},
      {"the rejoin timer's tick", [&] { m_frame->Send(WM_TIMER, CMainFrame::kRejoinTimerId); }},
      {"a tick of any id", [&] { m_frame->Send(WM_TIMER, 12345); }},
      {"its hotkey",
       [&] {
         PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9});
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    CTestViewer late("LATE");  // joins after the frame: now the head
    ASSERT_EQ(::GetClipboardViewer(), late.Handle());
    g_log.clear();
    way.rejoin();
    EXPECT_TRUE(WaitFor([&] { return ::GetClipboardViewer() == m_frame->Handle(); }));
    EXPECT_EQ(m_frame->GetNextViewer(), late.Handle());
    EXPECT_FALSE(m_frame->IsJoining());
    PumpFor(100);
    EXPECT_EQ(DrawsAndCaptures(), std::vector<std::string>{}) << "the join's notice went on";
    EXPECT_EQ(m_doc->GetItemCount(), 1);
  }
  // Already at the head: it leaves before it joins, or it would follow itself.
  ASSERT_EQ(m_frame->GetNextViewer(), v1.Handle());
  m_frame->ResetClipboardViewer();
  EXPECT_EQ(::GetClipboardViewer(), m_frame->Handle());
  EXPECT_EQ(m_frame->GetNextViewer(), v1.Handle());
  m_accelerator.RemoveHotkeyMessageID(kCtrlAltShiftF9);
}

TEST_F(ChainTest, MembersLeavingFurtherDownOrNextAreRepairedAndHeard) {
  CTestViewer f("F"), m("M"), r("R");
  m_frame = MakeFrame();  // frame -> R -> M -> F
  ASSERT_EQ(m_frame->GetNextViewer(), r.Handle());
  m.Leave();  // passed on unchanged to R, whose link it is
  ASSERT_TRUE(WaitFor([&] { return r.m_hNext == f.Handle(); }));
  EXPECT_TRUE(LogHas("R:chain(" + Narrow(m.Handle()) + "," + Narrow(f.Handle()) + ")"));
  EXPECT_EQ(m_frame->GetNextViewer(), r.Handle());
  r.Leave();  // the frame's own link: replaced by the follower, which hears of it
  ASSERT_TRUE(WaitFor([&] { return m_frame->GetNextViewer() == f.Handle(); }));
  PumpFor(100);
  EXPECT_TRUE(LogHas("F:chain(" + Narrow(r.Handle()) + "," + Narrow(f.Handle()) + ")"));
  g_log.clear();
  Copy({L"after repair"});
  EXPECT_EQ(DrawsAndCaptures(), (std::vector<std::string>{"F:draw", "capture:after repair"}));
}

TEST_F(ChainTest, ALinkToTheFrameItselfIsNeverFollowed) {
  m_frame = MakeFrame();
  m_frame->SetNextViewer(m_frame->Handle());
  Copy({L"self"});
  EXPECT_EQ(m_frame->GetNextViewer(), m_frame->Handle()) << "a change notice leaves the link";
  // A chain notice that would make the link point at the frame clears it.
  HWND hOther = reinterpret_cast<HWND>(0x1234);
  m_frame->SetNextViewer(hOther);
  m_frame->Send(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(hOther),
                reinterpret_cast<LPARAM>(m_frame->Handle()));
  EXPECT_EQ(m_frame->GetNextViewer(), nullptr);
}

TEST_F(ChainTest, EachOwnWriteIsForwardedFirstAndBecomesOneNewHeadAnActivationNone) {
  CTestViewer v1("V1");
  m_frame = MakeFrame();
  Copy({L"b", L"a"});
  const struct {
    const char* what;
    std::function<void(CTanselDoc&)> write;
    std::u16string head;
    bool bAdds;
  } cases[] = {
      {"transformation", [](CTanselDoc& d) { d.ChangeCase(1, CASE_UPPER, FALSE); }, u"B", true},
      {"date/time stamp", [](CTanselDoc& d) { d.InsertDateTime(u"stamp %%"); }, u"stamp %", true},
      {"joined items",
       [](CTanselDoc& d) {
         d.ActivateItems({2, 3});
       },
       u"a\r\nb", true},
      {"PutTextOnClipboard", [](CTanselDoc& d) { d.PutTextOnClipboard(u"put"); }, u"put", true},
      {"activation", [](CTanselDoc& d) { d.ActivateItem(1); }, u"a\r\nb", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const V before = Texts();
    g_log.clear();
    c.write(*m_doc);
    PumpFor(100);
    V expected{c.head};
    for (const auto& t : before)
      if (c.bAdds || t != c.head) expected.push_back(t);
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(ReadRawText(), c.head);
    ASSERT_FALSE(g_log.empty());
    EXPECT_EQ(g_log.front(), "V1:draw") << "the next viewer hears before the capture";
    EXPECT_FALSE(m_doc->IsSkippingClipboardChange());
  }
  Copy({L"c"});  // the next copy of another program is captured as usual
}

TEST_F(ChainTest, TheRejoinTimerRunsWithThePeriodReadAtCreation) {
  // The floor itself is the settings' own; here: the frame takes their answer.
  for (const int32_t nStored : {-5, 60000}) {
    m_store.PutDword(u"Software\\Orvelle\\Tansel\\Options", u"ResetClipboardTimer",
                     static_cast<uint32_t>(nStored));
    auto frame = MakeFrame();
    EXPECT_EQ(frame->GetRejoinPeriod(), nStored < 0 ? 10000u : 60000u) << nStored;
    EXPECT_TRUE(::KillTimer(frame->Handle(), CMainFrame::kRejoinTimerId))
        << "the timer runs with id 0";
  }
  // Above the floor and not the default: neither could stand in for it.
  m_store.PutDword(u"Software\\Orvelle\\Tansel\\Options", u"ResetClipboardTimer", 12000);
  m_frame = MakeFrame();
  const DWORD tJoined = ::GetTickCount();
  CTestViewer late("LATE");  // joins after the frame: the head until the next tick
  const auto back = [&] { return ::GetClipboardViewer() == m_frame->Handle(); };
  EXPECT_FALSE(WaitFor(back, 10500)) << "rejoined after " << ::GetTickCount() - tJoined << " ms";
  EXPECT_TRUE(WaitFor(back, 7000)) << "no rejoin within 17.5 s";
}

TEST_F(ChainTest, TheWindowOpensWhereItWasLeftAndSavesItsRestoredPlaceAndDocking) {
  const CString16 key = u"Software\\Orvelle\\Tansel\\MainWindow";
  const char16_t* names[] = {u"Left", u"Top", u"Width", u"Height", u"DockingEnabled"};
  const struct {
    std::vector<uint32_t> stored;  // empty: nothing stored
    RECT at;
  } cases[] = {{{}, {0, 0, 360, 550}}, {{40, 30, 300, 400, 0}, {40, 30, 340, 430}}};
  for (const auto& c : cases) {
    m_frame.reset();
    for (size_t i = 0; i < c.stored.size(); ++i) m_store.PutDword(key, names[i], c.stored[i]);
    m_frame = MakeFrame();
    RECT r{};
    ::GetWindowRect(m_frame->Handle(), &r);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({c.at.left, c.at.top, c.at.right, c.at.bottom}));
    EXPECT_FALSE(::IsWindowVisible(m_frame->Handle()));
  }
  ::SetWindowPos(m_frame->Handle(), nullptr, 70, 80, 333, 444, SWP_NOZORDER | SWP_NOACTIVATE);
  m_frame->Send(WM_COMMAND, ID_VIEW_ENABLE_DOCKING);
  ::ShowWindow(m_frame->Handle(), SW_MINIMIZE);  // the restored rectangle is what counts
  m_frame.reset();                               // destroyed with its window alive
  std::vector<uint32_t> values;
  for (const char16_t* name : names) {
    uint32_t type = 0, value = 0xBAD;
    std::vector<uint8_t> data;
    if (m_store.GetValue(key, name, type, data) && data.size() == 4) memcpy(&value, data.data(), 4);
    values.push_back(value);
  }
  EXPECT_EQ(values, (std::vector<uint32_t>{70, 80, 333, 444, 1}));
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
  m_frame = MakeFrame();
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
  EXPECT_EQ(Texts(), V{u"held a moment"});
}

TEST_F(ChainTest, ABurstOfCopiesFillsNoRowTwice) {
  // Another thread copies while the frame does not pump: by the time the
  // notices are handled the clipboard holds the last text, and the system's
  // change numbers tell the late notices from new changes.
  m_frame = MakeFrame();
  std::thread burst([] {
    for (int i = 1; i <= 20; ++i) PutRawText((L"burst " + std::to_wstring(i)).c_str());
  });
  burst.join();
  PumpFor(300);
  const V texts = Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), u"burst 20");
  for (size_t i = 1; i < texts.size(); ++i) EXPECT_NE(texts[i], texts[i - 1]) << i;
}

}  // namespace
