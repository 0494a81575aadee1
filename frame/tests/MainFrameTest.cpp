// The main window as a user meets it: hidden again by every way of closing,
// dragged to the screen's edges, its menus, the tray icon's callbacks, and the
// the private messages the end-to-end scenarios do not send (and the bookmark).
// Catches: a main window that closes or minimises instead of hiding, docks against the switch or by
// the wrong rectangle, a menu item checked against the rules, a tray icon that acts on the release,
// a private message that runs the wrong command or none, a first item's editor that replaces the
// wrong item, a second dialog opened over the first.
#include "frame/tests/ChainTestSupport.h"
#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"
#include "ui/Menu.h"

namespace {

TEST_F(FrameTest, CloseMinimiseAndEscapeOnlyHide) {
  Copy({L"kept"});
  const struct {
    const char* what;
    std::function<void(HWND)> hide;
  } ways[] = {
      {"close box", [](HWND h) { ::SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"minimise", [](HWND h) { ::ShowWindow(h, SW_MINIMIZE); }},
      {"Escape in the list",
       [&](HWND) {
         ::PostMessageW(m_frame->View().ListHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
         PumpMessages();
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    m_frame->ToggleMainWindow();
    ::SetWindowPos(m_frame->Handle(), nullptr, 30, 40, 400, 300, SWP_NOZORDER);
    ASSERT_TRUE(::IsWindowVisible(m_frame->Handle()));
    way.hide(m_frame->Handle());
    PumpFor(50);
    EXPECT_FALSE(::IsWindowVisible(m_frame->Handle()));
    EXPECT_FALSE(m_frame->IsVisibleByRecord());
    EXPECT_TRUE(::IsWindow(m_frame->Handle())) << "the program goes on";
    // Shown again, it comes back in its normal size, not minimised.
    m_frame->ToggleMainWindow();
    EXPECT_FALSE(::IsIconic(m_frame->Handle()));
    EXPECT_EQ(WindowCorners(m_frame->Handle()), (std::vector<LONG>{30, 40, 430, 340}));
    m_frame->ToggleMainWindow();
  }
  EXPECT_EQ(Texts(), (V{u"kept"}));
}

TEST_F(FrameTest, DraggedNearAnEdgeItDocksOnlyWhileTheSwitchIsOnAndTheMenuSaysSo) {
  RECT work;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  m_frame->ToggleMainWindow();
  const LONG w = 360, h = 500;
  const struct {
    const char* what;
    BOOL bDocking;
    POINT at;      // where the drag would put the window's corner
    POINT docked;  // where it ends
  } cases[] = {
      {"off, near the left", FALSE, {7, 100}, {7, 100}},
      {"on, near the left", TRUE, {7, 100}, {0, 100}},
      {"on, near the bottom", TRUE, {200, work.bottom - h - 9}, {200, work.bottom - h}},
  };
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDR_MAINFRAME));
  const POINT grab{60, 12};  // where the caption is taken, from the window's corner
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (m_frame->IsDockingEnabled() != c.bDocking)
      m_frame->Send(WM_COMMAND, ID_VIEW_ENABLE_DOCKING);
    m_frame->Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.GetSubMenu(2)), 2);
    EXPECT_EQ(CMenu::IsItemChecked(menu.GetSubMenu(2), ID_VIEW_ENABLE_DOCKING), !!c.bDocking);
    ::SetWindowPos(m_frame->Handle(), nullptr, 400, 300, w, h, SWP_NOZORDER);
    // The press on the caption; the release waiting in the queue ends the
    // system's move loop at once.
    ::PostMessageW(m_frame->Handle(), WM_LBUTTONUP, 0, 0);
    m_frame->Send(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(400 + grab.x, 300 + grab.y));
    // The move: the frame docks by the cursor, not by the rectangle proposed.
    const POINT cursor{c.at.x + grab.x, c.at.y + grab.y};
    ASSERT_TRUE(MoveCursorTo(cursor));
    RECT r{c.at.x - 3, c.at.y - 3, c.at.x - 3 + w, c.at.y - 3 + h};
    if (!c.bDocking) r = {c.at.x, c.at.y, c.at.x + w, c.at.y + h};
    m_frame->Send(WM_MOVING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(Corners(r),
              (std::vector<LONG>{c.docked.x, c.docked.y, c.docked.x + w, c.docked.y + h}));
  }
}

// Notes each popup that opens over the frame as " menu", its first item,
// its default item and " paste" when "&Paste Activated Item" is checked; and
// closes it.
LRESULT CALLBACK NotePopups(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  if (message != WM_INITMENUPOPUP) return ::DefSubclassProc(hWnd, message, wParam, lParam);
  // The frame sets the checks first.
  const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
  HMENU menu = reinterpret_cast<HMENU>(wParam);
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
  *reinterpret_cast<std::wstring*>(data) +=
      L" menu " + std::wstring(text) + L" " + std::to_wstring(::GetMenuDefaultItem(menu, TRUE, 0)) +
      ((::GetMenuState(menu, ID_TRAY_PASTE_ACTIVATED, MF_BYCOMMAND) & MF_CHECKED) ? L" paste"
                                                                                  : L"");
  ::EndMenu();
  return result;
}

TEST_F(FrameTest, TheTrayIconActsOnThePressNotOnTheRelease) {
  std::wstring seen;
  ASSERT_TRUE(
      ::SetWindowSubclass(m_frame->Handle(), NotePopups, 1, reinterpret_cast<DWORD_PTR>(&seen)));
  const struct {
    UINT mouse;
    BOOL bPaste;
    const wchar_t* after;  // the window, then the popups that opened
  } clicks[] = {{WM_LBUTTONUP, 0, L"hidden"},
                {WM_LBUTTONDBLCLK, 0, L"hidden"},
                {WM_MOUSEMOVE, 0, L"hidden"},
                {WM_RBUTTONUP, 0, L"hidden"},
                {WM_RBUTTONDOWN, 0, L"hidden menu &Show Tansel 0"},
                {WM_RBUTTONDOWN, 1, L"hidden menu &Show Tansel 0 paste"},
                {WM_LBUTTONDOWN, 0, L"shown"},
                {WM_LBUTTONUP, 0, L"shown"},
                {WM_LBUTTONDOWN, 0, L"hidden"}};
  for (const auto& c : clicks) {
    CApplicationRegistry().SetDoPaste(c.bPaste);
    seen.clear();
    m_frame->Send(WM_TRAY_NOTIFY, 0, c.mouse);
    EXPECT_EQ((::IsWindowVisible(m_frame->Handle()) ? L"shown" : L"hidden") + seen, c.after)
        << std::hex << c.mouse;
  }
  ::RemoveWindowSubclass(m_frame->Handle(), NotePopups, 1);
}

TEST_F(FrameTest, ClearListAsksFromEitherMenuAndPastingTogglesFromEither) {
  Copy({L"b", L"a"});
  for (UINT id : {UINT(ID_FILE_CLEAR_LIST), UINT(ID_TRAY_CLEAR_LIST)}) {
    m_prompt.m_answers = {IDNO};
    m_frame->Send(WM_COMMAND, id);
    EXPECT_EQ(Texts(), (V{u"a", u"b"}));
  }
  ASSERT_EQ(m_prompt.m_asked.size(), 2u);
  EXPECT_EQ(m_prompt.m_asked[0].text, L"Are you sure you want to clear the list?");
  EXPECT_EQ(m_prompt.m_asked[0].type, UINT(MB_YESNO));
  m_prompt.m_answers = {IDYES};
  m_frame->Send(WM_COMMAND, ID_TRAY_CLEAR_LIST);
  EXPECT_TRUE(Texts().empty());
  // The tray's entry and the hotkey's message each switch pasting over.
  const std::pair<UINT, WPARAM> toggles[] = {{WM_COMMAND, ID_TRAY_PASTE_ACTIVATED},
                                             {WM_COMMAND, ID_TRAY_PASTE_ACTIVATED},
                                             {WM_PASTE_ACTIVATED_ITEM, 0},
                                             {WM_PASTE_ACTIVATED_ITEM, 0}};
  BOOL bPaste = CApplicationRegistry().GetDoPaste();
  for (const auto& t : toggles) {
    m_frame->Send(t.first, t.second);
    EXPECT_EQ(CApplicationRegistry().GetDoPaste(), bPaste = !bPaste) << t.first;
  }
}

TEST_F(FrameTest, TheFirstItemsEditorEndsAsTheUserChose) {
  const struct {
    const char* what;
    UINT id;
    int button;
    bool bCopyWhileOpen;  // another program copies while the editor is up
    V after;              // the history afterwards; it starts as abc, x
  } cases[] = {
      {"preview, Cancel", WM_PREVIEW_FIRST_ITEM, IDCANCEL, false, {u"abc", u"x"}},
      {"edit, Cancel", WM_EDIT_FIRST_ITEM, IDCANCEL, false, {u"abc", u"x"}},
      {"edit, Replace", WM_EDIT_FIRST_ITEM, IDC_REPLACE, false, {u"edited", u"x"}},
      {"edit, Append", WM_EDIT_FIRST_ITEM, IDC_APPEND, false, {u"edited", u"abc", u"x"}},
      // The item edited is replaced, wherever the copy moved it.
      {"edit, Replace after a copy",
       WM_EDIT_FIRST_ITEM,
       IDC_REPLACE,
       true,
       {u"copied", u"edited", u"x"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearList();
    Copy({L"x", L"abc"});
    {
      CBoxAnswerer answerer(
          [&](HWND editor) {
            ::SetDlgItemTextW(editor, IDC_ITEM_TEXT, L"edited");
            if (c.bCopyWhileOpen) {
              PutRawText(L"copied");
              WaitFor([&] { return m_doc->GetItemCount() == 3; });
            }
          },
          c.button);
      m_frame->Send(c.id);
      EXPECT_TRUE(answerer.Answered());
    }
    WaitFor([&] { return m_doc->GetItemCount() == static_cast<int>(c.after.size()); });
    PumpFor(30);
    EXPECT_EQ(Texts(), c.after);
  }
}

TEST_F(FrameTest, EveryPrivateMessageDoesItsAction) {
  // The history afterwards, newest first, '*' after a bookmarked item.
  const auto state = [&] {
    std::u16string s;
    for (int i = 0; i < m_doc->GetItemCount(); ++i)
      s += m_doc->GetItem(i)->strText + (m_doc->GetItem(i)->bBookmark ? u"* " : u" ");
    return s;
  };
  // The rest, reached by default hotkeys, are the end-to-end scenarios'.
  const struct {
    UINT id;
    const char16_t* filled;  // from "abc x"; an empty history stays empty
  } cases[] = {
      // upper, lower, title case, bookmark, unknown
      {0x466, u"ABC abc x "}, {0x467, u"abc abc x "}, {0x479, u"Abc abc x "},
      {0x477, u"abc* x "},    {0x480, u"abc x "},
  };
  for (bool bFilled : {false, true}) {
    for (const auto& c : cases) {
      m_doc->ClearList();
      if (bFilled) Copy({L"x", L"abc"});
      m_frame->Send(c.id);
      PumpFor(60);
      EXPECT_EQ(state(), bFilled ? c.filled : u"") << std::hex << c.id;
    }
  }
  // A stamp needs no item: it is the newest item either way.
  m_doc->ClearList();
  m_frame->Send(0x46C);  // yyyy-mm-dd
  ASSERT_TRUE(WaitFor([&] { return m_doc->GetItemCount() == 1; }));
  EXPECT_EQ(m_doc->GetItem(0)->strText.size(), 10u);
  EXPECT_EQ(m_doc->GetItem(0)->strText[4], u'-');
}

// What the user may ask for while the about box is open: each would open a
// window of its own; a wrong one times out in its own modal loop and is
// closed below.
void AskForMoreWindows(HWND hFrame, HWND hAbout, DWORD thread, size_t& nDialogs,
                       bool& bMenuOpened) {
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } asks[] = {{WM_TRAY_NOTIFY, 0, WM_RBUTTONDOWN}, {WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN},
              {WM_COMMAND, ID_TRAY_OPTIONS, 0},    {WM_COMMAND, ID_FILE_OPTIONS, 0},
              {WM_COMMAND, ID_HELP_ABOUT, 0},      {WM_EDIT_FIRST_ITEM, 0, 0}};
  for (const auto& a : asks) {
    DWORD_PTR result;
    ::SendMessageTimeoutW(hFrame, a.message, a.wParam, a.lParam, SMTO_NORMAL, 1000, &result);
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (menu && ::IsWindowVisible(menu)) {
      bMenuOpened = true;
      ::PostMessageW(hFrame, WM_CANCELMODE, 0, 0);
    }
  }
  for (HWND h : ThreadDialogs(thread)) {
    if (!::IsWindowVisible(h)) continue;
    ++nDialogs;
    if (h != hAbout) ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
  }
  ::PostMessageW(hAbout, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(FrameTest, WhileADialogIsOpenNeitherTheTrayNorAHotkeyOpensAnother) {
  Copy({L"one"});
  const DWORD thread = ::GetCurrentThreadId();
  size_t nDialogs = 0;
  bool bMenuOpened = false;
  {
    CBoxAnswerer answer(
        [&](HWND d) { AskForMoreWindows(m_frame->Handle(), d, thread, nDialogs, bMenuOpened); }, 0);
    m_frame->Send(WM_COMMAND, ID_HELP_ABOUT);
    EXPECT_TRUE(answer.Answered());
  }
  PumpFor(100);
  EXPECT_EQ(nDialogs, 1u);
  EXPECT_FALSE(bMenuOpened);
  EXPECT_FALSE(m_frame->IsVisibleByRecord()) << "the tray's click did not show the window";
}

}  // namespace
