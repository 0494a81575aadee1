// The frame in the clipboard viewer chain, against the real (Wine) chain with
// test viewers of our own in it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "frame/MainFrame.h"
#include "frame/PrivateMessages.h"
#include "settings/ApplicationRegistry.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/ClipboardWin32.h"
#include "ui/TextServicesWin32.h"
#include "ui/tests/TestSupport.h"

namespace {

std::vector<std::string> g_log;

std::string Narrow(HWND h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

// A well-behaved member of the chain that logs what reaches it.
class CTestViewer : public CWindow {
 public:
  explicit CTestViewer(const char* name) : m_name(name) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"TanselTestViewer";
    RegisterClass(wc);
    Create(L"TanselTestViewer", L"viewer", WS_OVERLAPPED, 0, 0, 0, 10, 10);
    m_hNext = ::SetClipboardViewer(m_hWnd);
  }
  ~CTestViewer() override { Leave(); }
  void Leave() {
    if (m_bIn) ::ChangeClipboardChain(m_hWnd, m_hNext);
    m_bIn = false;
  }
  HWND m_hNext = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_DRAWCLIPBOARD:
        g_log.push_back(m_name + ":draw");
        if (m_hNext) ::SendMessageW(m_hNext, message, wParam, lParam);
        return 0;
      case WM_CHANGECBCHAIN:
        g_log.push_back(m_name + ":chain(" + Narrow(reinterpret_cast<HWND>(wParam)) + "," +
                        Narrow(reinterpret_cast<HWND>(lParam)) + ")");
        if (reinterpret_cast<HWND>(wParam) == m_hNext)
          m_hNext = reinterpret_cast<HWND>(lParam);
        else if (m_hNext)
          ::SendMessageW(m_hNext, message, wParam, lParam);
        return 0;
    }
    return Default(message, wParam, lParam);
  }

 private:
  std::string m_name;
  bool m_bIn = true;
};

class CCaptureLog : public IHistoryView {
 public:
  CTanselDoc* pDoc = nullptr;
  void OnUpdate(int nHint) override {
    if (nHint == 0 && pDoc->GetItemCount() > 0)
      g_log.push_back("capture:" + Utf8FromUtf16(pDoc->GetItem(0)->strText));
  }
};

// Exposes the chain members so that tests can put the link where the system
// would not.
class CTestFrame : public CMainFrame {
 public:
  using CMainFrame::CMainFrame;
  void SetNextViewer(HWND h) { m_hWndNextViewer = h; }
  BOOL IsJoining() const { return m_bJoiningChain; }
};

// The change notices and captures, in order; chain notices left out.
std::vector<std::string> DrawsAndCaptures() {
  std::vector<std::string> v;
  for (auto& e : g_log)
    if (e.find(":chain(") == std::string::npos) v.push_back(e);
  return v;
}

bool LogHas(const std::string& s) {
  for (auto& e : g_log)
    if (e == s) return true;
  return false;
}

// A copy made by "another program": written with the raw API, no skip flag.
void CopyText(const wchar_t* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const size_t n = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
  memcpy(::GlobalLock(h), text, n);
  ::GlobalUnlock(h);
  ::SetClipboardData(CF_UNICODETEXT, h);
  ::CloseClipboard();
}

class ChainTest : public ::testing::Test {
 protected:
  CMemoryKeyStore m_store;
  CClipboardWin32 m_clip;
  CTextServicesWin32 m_text;
  std::unique_ptr<CTanselDoc> m_doc;
  CCaptureLog m_capture;

  void SetUp() override {
    SetSettingsPlatform(&m_store, nullptr);
    m_doc = std::make_unique<CTanselDoc>(m_clip, m_text);
    m_capture.pDoc = m_doc.get();
    m_doc->AddView(&m_capture);
    PumpFor(50);
    g_log.clear();
  }
  void TearDown() override {
    PumpFor(20);
    m_doc.reset();
    SetSettingsPlatform(nullptr, nullptr);
  }
  std::unique_ptr<CTestFrame> MakeFrame() {
    auto p = std::make_unique<CTestFrame>(*m_doc);
    EXPECT_TRUE(p->Create());
    return p;
  }
};

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
  gl_oKeyboardAccelerator.AddHotkeyMessageID(kCtrlAltShiftF9, WM_RESET_CLIPBOARD_VIEWER);
  ASSERT_TRUE(gl_oKeyboardAccelerator.IsRegistered(kCtrlAltShiftF9));
  CTestViewer late("LATE");
  ASSERT_EQ(::GetClipboardViewer(), late.Handle());
  PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9});
  EXPECT_TRUE(WaitFor([&] { return ::GetClipboardViewer() == frame->Handle(); }));
  EXPECT_EQ(frame->GetNextViewer(), late.Handle());
  gl_oKeyboardAccelerator.RemoveHotkeyMessageID(kCtrlAltShiftF9);
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
    EXPECT_TRUE(::KillTimer(frame->Handle(), CMainFrame::kRejoinTimerId)) << "the timer runs with id 0";
  }
}

}  // namespace
