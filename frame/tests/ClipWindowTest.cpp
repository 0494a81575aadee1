// The clip window as the frame opens and closes it: every way it goes away,
// its size and layout, the busy flag under its own boxes, pasting by recorded
// key events.
// Catches: a clip window that closes without saving its size or telling the frame, lays its list
// out wrongly, closes under its own boxes, is deleted while a command still runs in it, pastes
// before it is gone or against the current switch, activates the wrong row, or redraws the wrong
// rows.
#include "frame/tests/ChainTestSupport.h"
#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"

namespace {

class ClipWindowTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Copy({L"older", L"newest"});
  }
  CSmallClipDlg* Open() {
    if (!m_frame->ClipWindow()) m_frame->Send(WM_SHOW_CLIP_WINDOW);
    CSmallClipDlg* pClip = m_frame->ClipWindow();
    if (pClip) WaitFor([&] { return ::IsWindowVisible(pClip->Handle()) != FALSE; });
    return pClip;
  }
  // Closed: the frame forgot it, and its window is gone.
  bool Closed(HWND hClip) {
    return WaitFor([&] { return !m_frame->ClipWindow() && !::IsWindow(hClip); }, 3000);
  }
  // The key events typed since the last call, "vk scan flags extra" in decimal
  // each, and how often the key of "v" was looked up.
  std::string Typed() {
    std::string s;
    for (const auto& e : std::exchange(m_keyEvents.m_events, {}))
      s += std::to_string(e.vk) + " " + std::to_string(e.scan) + " " + std::to_string(e.flags) +
           " " + std::to_string(e.extra) + "; ";
    return s + "scans " + std::to_string(std::exchange(m_keyEvents.m_nScans, 0));
  }
  static std::pair<int, int> StoredSize() {
    int w, h;
    CApplicationRegistry().GetSmallWindowSize(w, h);
    return {w, h};
  }
};

TEST_F(ClipWindowTest, OpensWithTheNewestRowSelectedRedrawsWhatChangedAndItsHotkeyCloses) {
  // Its place at the cursor, topmost, is the end-to-end scenarios'.
  CSmallClipDlg* pClip = Open();
  ASSERT_NE(pClip, nullptr);
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
  ::UpdateWindow(list.Handle());
  m_frame->Send(WM_HISTORY_CHANGED, 0);  // the whole list
  EXPECT_EQ(ListRowsToRedraw(list.Handle()), (std::vector<int>{0, 1}));
  // The hotkey again closes it, and the frame knows before the call returns;
  // a third press opens a new one.
  const HWND hClip = pClip->Handle();
  m_frame->Send(WM_SHOW_CLIP_WINDOW);
  EXPECT_EQ(m_frame->ClipWindow(), nullptr);
  EXPECT_TRUE(Closed(hClip));
  // With no clip window open the messages do nothing.
  m_frame->Send(WM_HISTORY_CHANGED, 0);
  m_frame->Send(WM_CLIP_WINDOW_CLOSED);
  EXPECT_NE(Open(), nullptr);
}

TEST_F(ClipWindowTest, EveryWayOfClosingKeepsTheSizeItWasGivenAndTellsTheFrame) {
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
    // The list fills the window whatever its size.
    RECT client, list;
    ::GetClientRect(hClip, &client);
    ::GetWindowRect(pClip->ListHandle(), &list);
    ::MapWindowPoints(nullptr, hClip, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(Corners(list), std::vector<LONG>({0, 0, client.right, client.bottom}));
    way.close(*pClip);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hClip); }, 3000));
    if (m_frame) {
      EXPECT_EQ(m_frame->ClipWindow(), nullptr);
    }
    EXPECT_EQ(StoredSize(), std::make_pair(size, size - 100));
    size += 20;
  }
  // It opens again in the size it was left in.
  m_frame = MakeFrame();
  RECT r;
  ::GetWindowRect(Open()->Handle(), &r);
  EXPECT_EQ(std::make_pair(r.right - r.left, r.bottom - r.top),
            std::make_pair(LONG(size - 20), LONG(size - 120)));
}

TEST_F(ClipWindowTest, ItsOwnBoxesKeepItOpenAndBusyAndClosedUnderOneItOutlivesTheBox) {
  // The box's own message loop runs the frame's deferred deletion; the
  // command waiting for the box still runs in the clip window's object.
  const struct {
    const char* what;
    bool bFind;    // Ctrl+F's find dialog; else Delete's question
    UINT message;  // sent to the frame while the box is up; 0: none
    WPARAM wParam;
    size_t nKeptAfter;  // closed windows the frame holds once the command returned
  } cases[] = {
      {"Delete's question", false, 0, 0, 0},
      {"Ctrl+F's find dialog", true, 0, 0, 0},
      {"its hotkey again under the box", false, WM_SHOW_CLIP_WINDOW, 0, 0},
      {"Exit from the tray under the box", false, WM_COMMAND, ID_TRAY_EXIT, 1},  // until it goes
  };
  int size = 300;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CSmallClipDlg* pClip = Open();
    ASSERT_NE(pClip, nullptr);
    const HWND hClip = pClip->Handle();
    ::SetWindowPos(hClip, nullptr, 0, 0, size, 200, SWP_NOMOVE | SWP_NOZORDER);
    bool bBusyAndOpenWhileShown = false;
    size_t nKeptWhileShown = 9;
    const auto whileShown = [&] {
      bBusyAndOpenWhileShown = m_frame->ClipWindow() == pClip && pClip->IsBusy();
      if (!c.message) return;
      m_frame->Send(c.message, c.wParam);
      PumpFor(50);
      nKeptWhileShown = m_frame->ClosedClipWindowCount();
    };
    if (c.bFind) {
      CBoxAnswerer answer([&](HWND) { bBusyAndOpenWhileShown = pClip->IsBusy() != FALSE; },
                          IDCANCEL);
      PostKeyWithModifiers(pClip->ListHandle(), 'F', true);
    } else {
      // The box takes the activation from the clip window.
      m_prompt.m_fnWhileShown = [&] {
        CWindow box;
        box.Create(TestWindowClass(), L"box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 100, 100);
        ::SetActiveWindow(box.Handle());
        PumpFor(50);
        whileShown();
      };
      m_prompt.m_answers = {IDNO};
      PostKeyWithModifiers(pClip->ListHandle(), VK_DELETE, false);
      m_prompt.m_fnWhileShown = nullptr;
    }
    PumpFor(50);
    EXPECT_TRUE(bBusyAndOpenWhileShown);
    EXPECT_EQ(Texts(), (V{u"newest", u"older"}));
    if (!c.message) {
      EXPECT_TRUE(::IsWindow(hClip)) << "it survives its own box";
      EXPECT_EQ(m_frame->ClipWindow(), pClip);
      EXPECT_FALSE(pClip->IsBusy());
      continue;
    }
    // Inactive under the box when it was destroyed: it saved its size all the same.
    EXPECT_FALSE(::IsWindow(hClip));
    EXPECT_EQ(m_frame->ClipWindow(), nullptr);
    EXPECT_EQ(nKeptWhileShown, 1u) << "deleted while its command still ran";
    EXPECT_EQ(m_frame->ClosedClipWindowCount(), c.nKeptAfter);
    EXPECT_EQ(StoredSize(), std::make_pair(size, 200));
    size += 20;
  }
}

TEST_F(ClipWindowTest, ActivatingClosesOnceTheListHasReturnedAndPastesIfPastingIsOnThen) {
  // Ctrl down unless the user holds it; the key of "v" looked up for the
  // press and again for the release.
  const char *withCtrl = "17 0 0 0; 86 0 0 0; 86 0 2 0; 17 0 2 0; scans 2",
             *vOnly = "86 0 0 0; 86 0 2 0; scans 2", *none = "scans 0";
  // Activate destroys the list; run inside the list's own double-click or
  // notice, the list would go on in a freed control.
  enum HOW { kEnter, kStamp, kNotice, kSentClicks };
  const struct {
    const char* what;
    HOW how;
    int row;  // selected first; -1: none
    BOOL bPasteAtOpen, bPasteAfter;
    bool bCtrlHeld;
    const char* typed;
  } cases[] = {
      {"pasting off", kEnter, 1, FALSE, FALSE, false, none},
      {"pasting on, Ctrl up", kEnter, 1, TRUE, TRUE, false, withCtrl},
      {"pasting on, Ctrl held", kEnter, 1, TRUE, TRUE, true, vOnly},
      {"pasting switched on while open", kEnter, 1, FALSE, TRUE, false, withCtrl},
      {"pasting switched off while open", kEnter, 1, TRUE, FALSE, false, none},
      {"a date/time stamp from its popup", kStamp, 1, TRUE, TRUE, false, withCtrl},
      {"the list's activation notice alone", kNotice, 1, TRUE, TRUE, false, withCtrl},
      {"a double-click's messages, sent", kSentClicks, 1, TRUE, TRUE, false, withCtrl},
      {"Enter with no row selected: nothing", kEnter, -1, TRUE, TRUE, false, none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CApplicationRegistry().SetDoPaste(c.bPasteAtOpen);
    Typed();
    m_keyEvents.m_bCtrlDown = c.bCtrlHeld;
    // The layout's answer for "v" carries a shift state: only its low byte is the key.
    m_keyEvents.m_nVkOfV = 0x0156;
    CSmallClipDlg* pClip = Open();
    ASSERT_NE(pClip, nullptr);
    const HWND hClip = pClip->Handle(), hList = pClip->ListHandle();
    int nWhileShown = 0;
    m_keyEvents.m_fnOnEvent = [&] { nWhileShown += ::IsWindow(hClip) ? 1 : 0; };
    const V before = Texts();
    CApplicationRegistry().SetDoPaste(c.bPasteAfter);
    CListView(hList).SetItemState(-1, 0, LVIS_SELECTED);
    if (c.row >= 0) CListView(hList).SetItemState(c.row, LVIS_SELECTED, LVIS_SELECTED);
    if (c.how == kEnter) ::PostMessageW(hList, WM_KEYDOWN, VK_RETURN, 1);
    if (c.how == kStamp) ::PostMessageW(hClip, WM_COMMAND, 32817, 0);
    if (c.how == kNotice) {
      NMITEMACTIVATE notice{};
      notice.hdr = {hList, IDC_LIST, static_cast<UINT>(LVN_ITEMACTIVATE)};
      notice.iItem = 1;
      ::SendMessageW(hClip, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&notice));
    }
    if (c.how == kSentClicks) DoubleClickListRow(hList, 1);
    if (c.how == kNotice || c.how == kSentClicks) {
      EXPECT_TRUE(::IsWindow(hList)) << "destroyed inside its own notice";
    }
    if (c.row < 0) {
      PumpFor(100);
      EXPECT_EQ(m_frame->ClipWindow(), pClip);
      EXPECT_TRUE(::IsWindowVisible(hClip));
      EXPECT_EQ(Typed(), none);
      continue;
    }
    EXPECT_TRUE(Closed(hClip));
    EXPECT_EQ(Typed(), c.typed);
    EXPECT_EQ(nWhileShown, 0) << "keys pressed before the window was gone";
    const V after = Texts();
    EXPECT_EQ(ReadRawText(), after[0]);
    EXPECT_EQ(after.size(), before.size() + (c.how == kStamp));
    if (c.how != kStamp) {
      EXPECT_EQ(after[0], before[1]) << "row 1 was activated";
    }
    PumpFor(30);
    EXPECT_EQ(m_frame->ClosedClipWindowCount(), 0u);
  }
  m_keyEvents.m_fnOnEvent = nullptr;
  if (m_frame->ClipWindow()) ::DestroyWindow(m_frame->ClipWindow()->Handle());
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
  m_oStore.DenyAccess(kOptionsPath, u"DoPaste");
  SetSettingsPlatform(&m_oStore, &box, &m_oProgramFile);
  CSmallClipDlg* pClip = Open();
  ASSERT_NE(pClip, nullptr);
  const HWND hClip = pClip->Handle();
  ::PostMessageW(pClip->ListHandle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(Closed(hClip));
  PumpFor(50);
  SetSettingsPlatform(&m_oStore, &m_oMessages, &m_oProgramFile);
  EXPECT_EQ(nShown, 1);
  EXPECT_EQ(nKeptWhileShown, 1u) << "deleted while CloseAndPaste still ran in it";
  EXPECT_EQ(m_frame->ClosedClipWindowCount(), 0u) << "kept after it returned";
  EXPECT_EQ(Typed(), "scans 0") << "unreadable: no paste";
}

TEST_F(ClipWindowTest, ReplaceKeepsItOpenAppendClosesAndPastes) {
  CApplicationRegistry().SetDoPaste(TRUE);
  const struct {
    const char* what;
    UINT button;
    bool closed;
    V after;
  } cases[] = {
      {"Replace", IDC_REPLACE, false, {u"edited", u"older"}},
      {"Append", IDC_APPEND, true, {u"edited", u"edited", u"older"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Typed();
    CSmallClipDlg* pClip = Open();
    const HWND hClip = pClip->Handle();
    {
      CBoxAnswerer answer([](HWND d) { ::SetDlgItemTextW(d, IDC_ITEM_TEXT, L"edited"); },
                          static_cast<int>(c.button));
      PostKeyWithModifiers(pClip->ListHandle(), VK_RETURN, true);  // Ctrl+Enter: Edit Item
    }
    PumpFor(50);
    EXPECT_EQ(!::IsWindow(hClip), c.closed);
    EXPECT_EQ(Typed(), c.closed ? "17 0 0 0; 86 0 0 0; 86 0 2 0; 17 0 2 0; scans 2" : "scans 0");
    EXPECT_EQ(Texts(), c.after);
  }
}

}  // namespace
