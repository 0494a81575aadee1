// The clip window as the frame opens and closes it: every way it goes away,
// its size kept, the busy flag, pasting by recorded key events.
// Catches: a clip window that closes without saving its size or telling the frame, closes under its
// own boxes, is deleted while a command still runs in it, pastes before it is gone, or redraws the
// wrong rows.
#include <windows.h>
#include <commctrl.h>

#include "core/tests/HistoryTexts.h"
#include "frame/PrivateMessages.h"
#include "frame/tests/ChainTestSupport.h"
#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"

namespace {

using V = std::vector<std::u16string>;
using EVENT = CRecordingKeyEvents::EVENT;

class ClipWindowTest : public ChainTest {
 protected:
  void SetUp() override {
    ChainTest::SetUp();
    m_frame = MakeFrame();
    for (const wchar_t* text : {L"older", L"newest"}) {
      const int n = m_doc->GetItemCount();
      CopyText(text);
      ASSERT_TRUE(WaitFor([&] { return m_doc->GetItemCount() == n + 1; }));
    }
  }
  void TearDown() override {
    m_frame.reset();
    ChainTest::TearDown();
  }
  CSmallClipDlg* Open() {
    m_frame->Send(WM_SHOW_CLIP_WINDOW);
    CSmallClipDlg* pClip = m_frame->ClipWindow();
    if (pClip) WaitFor([&] { return ::IsWindowVisible(pClip->Handle()) != FALSE; });
    return pClip;
  }
  // Closed: the frame forgot it, and its window is gone.
  bool Closed(HWND hClip) {
    return WaitFor([&] { return !m_frame->ClipWindow() && !::IsWindow(hClip); }, 3000);
  }
  void Key(HWND hList, WORD vk, bool ctrl = false) {
    BYTE saved[256], state[256] = {};
    ::GetKeyboardState(saved);
    if (ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    ::SetKeyboardState(state);
    ::PostMessageW(hList, WM_KEYDOWN, vk, 1);
    PumpMessages();
    ::SetKeyboardState(saved);
  }
  std::pair<int, int> StoredSize() {
    int w, h;
    CApplicationRegistry().GetSmallWindowSize(w, h);
    return {w, h};
  }

  std::unique_ptr<CTestFrame> m_frame;
};

TEST_F(ClipWindowTest, OpensAtTheCursorTopmostWithTheNewestRowSelected) {
  ::SetCursorPos(200, 150);
  CSmallClipDlg* pClip = Open();
  ASSERT_NE(pClip, nullptr);
  RECT r;
  ::GetWindowRect(pClip->Handle(), &r);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
            std::vector<LONG>({200, 150, 415, 250}));
  EXPECT_TRUE(::GetWindowLongPtrW(pClip->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  CListView list(pClip->ListHandle());
  EXPECT_EQ(list.GetSelectedIndexes(), CIndexArray{0});
  EXPECT_EQ(list.GetItemText(0, 3), u"newest");
  EXPECT_EQ(list.GetItemText(0, 2), u"1");
  EXPECT_EQ(list.GetItemImage(0, 1), 0);
  // The history's changes reach its rows after the current message: the row
  // is drawn again once the posted notice arrives.
  m_doc->ToggleBookmark(1);
  ::UpdateWindow(list.Handle());
  EXPECT_TRUE(ListRowsToRedraw(list.Handle()).empty()) << "not yet: the notice is posted";
  MSG notice;
  ASSERT_TRUE(::PeekMessageW(&notice, m_frame->Handle(), WM_HISTORY_CHANGED, WM_HISTORY_CHANGED,
                             PM_REMOVE));
  ::DispatchMessageW(&notice);
  EXPECT_EQ(ListRowsToRedraw(list.Handle()), std::vector<int>{1});
  EXPECT_EQ(list.GetItemImage(1, 1), 1);
  // The hotkey again closes it, a third press opens a new one.
  const HWND hClip = pClip->Handle();
  m_frame->Send(WM_SHOW_CLIP_WINDOW);
  EXPECT_TRUE(Closed(hClip));
  EXPECT_NE(Open(), nullptr);
}

TEST_F(ClipWindowTest, EveryWayOfClosingKeepsTheSizeAndTellsTheFrame) {
  const struct {
    const char* what;
    std::function<void(CSmallClipDlg&)> close;
  } ways[] = {
      {"another window is activated",
       [](CSmallClipDlg&) {
         CWindow other;
         other.Create(TestWindowClass(), L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 100,
                      100);
         ::SetForegroundWindow(other.Handle());
         ::SetActiveWindow(other.Handle());
         PumpFor(50);
       }},
      {"Escape",
       [](CSmallClipDlg& c) { ::PostMessageW(c.ListHandle(), WM_KEYDOWN, VK_ESCAPE, 1); }},
      {"Activate",
       [](CSmallClipDlg& c) { ::PostMessageW(c.ListHandle(), WM_KEYDOWN, VK_RETURN, 1); }},
      {"the frame goes", [&](CSmallClipDlg&) { m_frame.reset(); }},
  };
  int size = 300;
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    if (!m_frame) m_frame = MakeFrame();
    CSmallClipDlg* pClip = Open();
    ASSERT_NE(pClip, nullptr);
    const HWND hClip = pClip->Handle();
    ::SetWindowPos(hClip, nullptr, 0, 0, size, size - 100, SWP_NOMOVE | SWP_NOZORDER);
    way.close(*pClip);
    PumpFor(30);
    EXPECT_FALSE(::IsWindow(hClip));
    if (m_frame) {
      EXPECT_EQ(m_frame->ClipWindow(), nullptr);
    }
    EXPECT_EQ(StoredSize(), std::make_pair(size, size - 100));
    size += 20;
  }
  // It opens again in the size it was left in.
  m_frame = MakeFrame();
  CSmallClipDlg* pClip = Open();
  RECT r;
  ::GetWindowRect(pClip->Handle(), &r);
  EXPECT_EQ(r.right - r.left, size - 20);
}

TEST_F(ClipWindowTest, ItsOwnBoxesDoNotCloseIt) {
  CSmallClipDlg* pClip = Open();
  ASSERT_NE(pClip, nullptr);
  const HWND hClip = pClip->Handle();
  bool bBusyWhileAsked = false;
  m_prompt.m_fnWhileShown = [&] {
    bBusyWhileAsked = m_frame->ClipWindow() && m_frame->ClipWindow()->IsBusy();
    // The box takes the activation from the clip window.
    CWindow box;
    box.Create(TestWindowClass(), L"box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 100, 100);
    ::SetActiveWindow(box.Handle());
    PumpFor(50);
  };
  m_prompt.m_answers = {IDNO};
  ::PostMessageW(pClip->ListHandle(), WM_KEYDOWN, VK_DELETE, 1);
  PumpMessages();
  EXPECT_TRUE(bBusyWhileAsked);
  EXPECT_TRUE(::IsWindow(hClip)) << "it survives its own box";
  EXPECT_FALSE(pClip->IsBusy());
  EXPECT_EQ(m_prompt.m_asked.size(), 1u);
}

TEST_F(ClipWindowTest, AHistoryChangeRedrawsTheRowsItNames) {
  for (const wchar_t* text : {L"c", L"d", L"e"}) {
    const int n = m_doc->GetItemCount();
    CopyText(text);
    ASSERT_TRUE(WaitFor([&] { return m_doc->GetItemCount() == n + 1; }));
  }
  CSmallClipDlg* pClip = Open();
  ASSERT_NE(pClip, nullptr);
  const HWND hList = pClip->ListHandle();
  m_doc->GetItem(4)->strText = u"new 4";
  const struct {
    const char* what;
    WPARAM hint;
    std::vector<int> redrawn;
  } cases[] = {
      {"row 4 alone", 5, {4}},
      {"every row", 0, {0, 1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::UpdateWindow(hList);
    m_frame->Send(WM_HISTORY_CHANGED, c.hint);
    EXPECT_EQ(ListRowsToRedraw(hList), c.redrawn);
  }
  EXPECT_EQ(CListView(hList).GetItemText(4, 3), u"new 4");
  // With no clip window open the message does nothing.
  ::DestroyWindow(pClip->Handle());
  m_frame->Send(WM_HISTORY_CHANGED, 0);
  m_frame->Send(WM_CLIP_WINDOW_CLOSED);
  EXPECT_EQ(m_frame->ClipWindow(), nullptr);
}

TEST_F(ClipWindowTest, TheFrameHearsOfTheClosingBeforeTheClosingCallReturns) {
  // Sent, not posted: nothing is pumped between the closing and the check.
  ASSERT_NE(Open(), nullptr);
  m_frame->Send(WM_SHOW_CLIP_WINDOW);
  EXPECT_EQ(m_frame->ClipWindow(), nullptr);
}

TEST_F(ClipWindowTest, ClosedUnderItsOwnBoxItOutlivesTheBox) {
  // The box's own message loop runs the frame's deferred deletion; the
  // command waiting for the box still runs in the clip window's object.
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    size_t nKeptAfter;  // once the command has returned
  } cases[] = {
      {"its hotkey again", WM_SHOW_CLIP_WINDOW, 0, 0},
      {"Exit from the tray", WM_COMMAND, ID_TRAY_EXIT, 1},  // until the frame's object goes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CSmallClipDlg* pClip = Open();
    ASSERT_NE(pClip, nullptr);
    const HWND hClip = pClip->Handle();
    size_t nKeptWhileAsked = 0;
    m_prompt.m_fnWhileShown = [&] {
      m_frame->Send(c.message, c.wParam);
      PumpFor(50);
      nKeptWhileAsked = m_frame->ClosedClipWindowCount();
    };
    m_prompt.m_answers = {IDNO};
    ::PostMessageW(pClip->ListHandle(), WM_KEYDOWN, VK_DELETE, 1);
    PumpMessages();
    PumpFor(50);
    EXPECT_FALSE(::IsWindow(hClip));
    EXPECT_EQ(m_frame->ClipWindow(), nullptr);
    EXPECT_EQ(nKeptWhileAsked, 1u) << "deleted while its command still ran";
    EXPECT_EQ(m_frame->ClosedClipWindowCount(), c.nKeptAfter);
    m_prompt.m_fnWhileShown = nullptr;
  }
}

TEST_F(ClipWindowTest, ActivatingClosesAndPastesWhenPastingIsOn) {
  const std::vector<EVENT> withCtrl{{0x11, 0, 0, 0},
                                    {0x56, 0, 0, 0},
                                    {0x56, 0, KEYEVENTF_KEYUP, 0},
                                    {0x11, 0, KEYEVENTF_KEYUP, 0}};
  const std::vector<EVENT> vOnly{{0x56, 0, 0, 0}, {0x56, 0, KEYEVENTF_KEYUP, 0}};
  const struct {
    const char* what;
    BOOL bPaste;
    bool bCtrlHeld;
    std::vector<EVENT> events;
  } cases[] = {
      {"pasting off", FALSE, false, {}},
      {"pasting on, Ctrl up", TRUE, false, withCtrl},
      {"pasting on, Ctrl held", TRUE, true, vOnly},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CApplicationRegistry().SetDoPaste(c.bPaste);
    m_keyEvents.m_events.clear();
    m_keyEvents.m_bCtrlDown = c.bCtrlHeld;
    // The layout's answer for "v" carries a shift state: only its low byte is the key.
    m_keyEvents.m_nVkOfV = 0x0156;
    m_keyEvents.m_nScans = 0;
    CSmallClipDlg* pClip = Open();
    ASSERT_NE(pClip, nullptr);
    const HWND hClip = pClip->Handle();
    int nWhileShown = 0;
    m_keyEvents.m_fnOnEvent = [&] { nWhileShown += ::IsWindow(hClip) ? 1 : 0; };
    const std::u16string activated = HistoryTexts(*m_doc)[1];
    CListView(pClip->ListHandle()).SetItemState(-1, 0, LVIS_SELECTED);
    CListView(pClip->ListHandle()).SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ::PostMessageW(pClip->ListHandle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(Closed(hClip));
    EXPECT_EQ(m_keyEvents.m_events, c.events);
    EXPECT_EQ(nWhileShown, 0) << "keys pressed before the window was gone";
    // The key of "v" is looked up for the press and again for the release.
    EXPECT_EQ(m_keyEvents.m_nScans, c.bPaste ? 2 : 0);
    EXPECT_EQ(ReadRawText(), activated);
    EXPECT_EQ(HistoryTexts(*m_doc)[0], activated);
  }
  m_keyEvents.m_fnOnEvent = nullptr;
  // Both activations moved the older item up, and nothing was added.
  EXPECT_EQ(HistoryTexts(*m_doc).size(), 2u);
}

TEST_F(ClipWindowTest, ADoubleClickActivatesOnceTheListHasReturnedFromIt) {
  // Activate destroys the list; run inside the list's own double-click, the
  // list would go on in a freed control.
  CApplicationRegistry().SetDoPaste(TRUE);
  const struct {
    const char* what;
    bool bMouse;
  } ways[] = {{"the notice alone", false}, {"a double-click as the mouse makes it", true}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    m_keyEvents.m_events.clear();
    CSmallClipDlg* pClip = Open();
    ASSERT_NE(pClip, nullptr);
    const HWND hClip = pClip->Handle(), hList = pClip->ListHandle();
    CListView(hList).SetItemState(-1, 0, LVIS_SELECTED);
    CListView(hList).SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const std::u16string activated = HistoryTexts(*m_doc)[1];
    if (way.bMouse) {
      RECT r{LVIR_LABEL, 0, 0, 0};
      ::SendMessageW(hList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
      const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
      ::SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, at);
      ::SendMessageW(hList, WM_LBUTTONUP, 0, at);
      ::SendMessageW(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      ::SendMessageW(hList, WM_LBUTTONUP, 0, at);
    } else {
      NMITEMACTIVATE notice{};
      notice.hdr = {hList, IDC_LIST, static_cast<UINT>(LVN_ITEMACTIVATE)};
      notice.iItem = 1;
      ::SendMessageW(hClip, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&notice));
    }
    EXPECT_TRUE(::IsWindow(hList)) << "destroyed inside its own notice";
    EXPECT_TRUE(Closed(hClip));
    EXPECT_EQ(m_keyEvents.m_events.size(), 4u);
    EXPECT_EQ(ReadRawText(), activated);
    PumpFor(30);
    EXPECT_EQ(m_frame->ClosedClipWindowCount(), 0u);
  }
}

TEST_F(ClipWindowTest, ABoxShownAfterCloseAndPasteDestroyedItKeepsTheObjectUntilItReturns) {
  // "DoPaste" cannot be read: the settings show the error in a box, whose
  // own message loop runs the frame's pending deletion of the closed window
  // while CloseAndPaste is still running in it.
  struct CPumpingBox : ISettingsMessages {
    std::function<void()> fnShown;
    void ShowError(const CString16&) override { fnShown(); }
  } box;
  int nShown = 0;
  size_t nKeptWhileShown = 0;
  box.fnShown = [&] {
    ++nShown;
    PumpFor(50);
    nKeptWhileShown = m_frame->ClosedClipWindowCount();
  };
  m_store.DenyAccess(u"Software\\Orvelle\\Tansel\\Options", u"DoPaste");
  SetSettingsPlatform(&m_store, &box);
  CSmallClipDlg* pClip = Open();
  ASSERT_NE(pClip, nullptr);
  const HWND hClip = pClip->Handle();
  ::PostMessageW(pClip->ListHandle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(Closed(hClip));
  PumpFor(50);
  SetSettingsPlatform(&m_store, nullptr);
  EXPECT_EQ(nShown, 1);
  EXPECT_EQ(nKeptWhileShown, 1u) << "deleted while CloseAndPaste still ran in it";
  EXPECT_EQ(m_frame->ClosedClipWindowCount(), 0u) << "kept after it returned";
  EXPECT_TRUE(m_keyEvents.m_events.empty()) << "unreadable: no paste";
}

TEST_F(ClipWindowTest, WithNoRowSelectedEnterDoesNothingAndTheWindowStays) {
  CSmallClipDlg* pClip = Open();
  CListView(pClip->ListHandle()).SetItemState(-1, 0, LVIS_SELECTED);
  ::PostMessageW(pClip->ListHandle(), WM_KEYDOWN, VK_RETURN, 1);
  PumpFor(50);
  EXPECT_EQ(m_frame->ClipWindow(), pClip);
  EXPECT_TRUE(::IsWindowVisible(pClip->Handle()));
}

TEST_F(ClipWindowTest, ReplaceKeepsItOpenAppendClosesAndPastes) {
  CApplicationRegistry().SetDoPaste(TRUE);
  const struct {
    const char* what;
    UINT button;
    bool closed;
    V after;
  } cases[] = {
      {"Replace", 1019, false, {u"edited", u"older"}},
      {"Append", 1018, true, {u"edited", u"edited", u"older"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_keyEvents.m_events.clear();
    CSmallClipDlg* pClip = m_frame->ClipWindow() ? m_frame->ClipWindow() : Open();
    const HWND hClip = pClip->Handle();
    {
      CBoxAnswerer answer([](HWND d) { ::SetDlgItemTextW(d, 1011, L"edited"); },
                          static_cast<int>(c.button));
      Key(pClip->ListHandle(), VK_RETURN, true);  // Ctrl+Enter: Edit Item
    }
    PumpFor(50);
    EXPECT_EQ(!::IsWindow(hClip), c.closed);
    EXPECT_EQ(m_keyEvents.m_events.size(), c.closed ? 4u : 0u);
    EXPECT_EQ(HistoryTexts(*m_doc), c.after);
  }
}

}  // namespace
