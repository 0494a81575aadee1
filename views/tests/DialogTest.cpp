// The item editor and the find dialog, run by the list view's commands and
// driven from a helper thread as a user would: typing, keys, buttons.
// Catches: an item editor or find dialog that returns the wrong result, text or criteria, or
// forgets its size.
#include <atomic>
#include <functional>

#include "views/tests/ViewFixture.h"

namespace {

// Sends keys to a control of a dialog up on the tested thread.
void KeyTo(HWND dialog, int id, WORD vk) {
  ::PostMessageW(::GetDlgItem(dialog, id), WM_KEYDOWN, vk, 1);
  ::PostMessageW(::GetDlgItem(dialog, id), WM_KEYUP, vk, 0xC0000001);
}

std::wstring TextOf(HWND dialog, int id) {
  wchar_t text[256] = {};
  ::GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

// How a test opens the editor: as the menu, a popup or a key does.
using Open = void (*)(ViewTest&);
void EditFromMenu(ViewTest& t) { t.MenuCommand(32807); }
void EditFromPopup(ViewTest& t) { t.PopupCommand(32806); }
void EditByKey(ViewTest& t) { t.Press({true, false, VK_RETURN}); }
void PreviewFromPopup(ViewTest& t) { t.PopupCommand(32805); }

TEST_F(ViewTest, ItemEditorEndsAsTheUserChooses) {
  struct Case {
    const char* what;
    Open open;
    std::function<void(HWND)> act;
    V after;
  } cases[] = {
      {"edit, F2 appends the edited text",
       EditFromMenu,
       [](HWND d) {
         ::SetDlgItemTextW(d, 1011, L"changed");
         KeyTo(d, 1011, VK_F2);
       },
       {u"changed", u"one", u"two"}},
      {"edit by Ctrl+Enter, F3 replaces the item's text",
       EditByKey,
       [](HWND d) {
         ::SetDlgItemTextW(d, 1011, L"changed");
         KeyTo(d, 1011, VK_F3);
       },
       {u"one", u"changed"}},
      {"edit from the popup, Replace button",
       EditFromPopup,
       [](HWND d) {
         ::SetDlgItemTextW(d, 1011, L"by button");
         ::PostMessageW(d, WM_COMMAND, 1019, 0);
       },
       {u"one", u"by button"}},
      {"edit, Append button",
       EditFromMenu,
       [](HWND d) {
         ::SetDlgItemTextW(d, 1011, L"appended");
         ::PostMessageW(d, WM_COMMAND, 1018, 0);
       },
       {u"appended", u"one", u"two"}},
      {"edit, Cancel after changes",
       EditFromMenu,
       [](HWND d) {
         ::SetDlgItemTextW(d, 1011, L"dropped");
         ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
       },
       {u"one", u"two"}},
      {"preview from the popup, F2 and F3 do nothing, Escape closes",
       PreviewFromPopup,
       [](HWND d) {
         KeyTo(d, 1011, VK_F2);
         KeyTo(d, 1011, VK_F3);
         KeyTo(d, 1011, VK_ESCAPE);
       },
       {u"one", u"two"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearList();
    Fill({u"one", u"two"});
    Select({1});
    {
      CBoxAnswerer answer(c.act, 0);
      c.open(*this);
      EXPECT_TRUE(answer.Answered());
    }
    EXPECT_EQ(Texts(), c.after);
  }
}

TEST_F(ViewTest, PreviewAndEditNeedExactlyOneRow) {
  Fill({u"one", u"two"});
  for (const CIndexArray& rows : {CIndexArray{}, CIndexArray{0, 1}}) {
    Select(rows);
    for (Open open : {EditFromMenu, EditFromPopup, EditByKey, PreviewFromPopup}) {
      CBoxAnswerer answer([](HWND d) { ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0); }, 0);
      open(*this);
      EXPECT_FALSE(answer.Answered()) << rows.size() << " rows";
    }
  }
  EXPECT_EQ(Texts(), (V{u"one", u"two"}));
}

TEST_F(ViewTest, ReplaceChangesTheEditedItemEvenWhenCopiesMovedItMeanwhile) {
  Fill({u"one", u"two"});
  std::atomic<bool> copied{false};
  m_host->m_fnOnApp = [&] {
    m_clip.SetUnicode(u"copied while editing");
    m_doc->CaptureClipboard();
    copied = true;
  };
  Select({1});
  {
    CBoxAnswerer answer(
        [&](HWND d) {
          ::PostMessageW(m_host->Handle(), WM_APP, 0, 0);
          while (!copied) ::Sleep(5);
          ::SetDlgItemTextW(d, 1011, L"edited");
          ::PostMessageW(d, WM_COMMAND, 1019, 0);
        },
        0);
    MenuCommand(32807);
  }
  EXPECT_EQ(Texts(), (V{u"copied while editing", u"one", u"edited"}));
}

TEST_F(ViewTest, ItemEditorShowsTheWholeTextAndItsModesControls) {
  std::u16string text;
  for (int i = 0; i < 500; ++i) text += u"line\t" + Utf16FromUtf8(std::to_string(i)) + u"\r\n";
  Fill({text.c_str()});
  Select({0});
  struct Seen {
    size_t length = 0;
    bool appendEnabled = true, replaceEnabled = true, readOnly = false, stillOpen = false;
    size_t grewBy = 99;
  };
  for (UINT command : {32808u, 32807u}) {
    Seen seen;
    {
      CBoxAnswerer answer(
          [&](HWND d) {
            HWND edit = ::GetDlgItem(d, 1011);
            seen.length = static_cast<size_t>(::GetWindowTextLengthW(edit));
            seen.appendEnabled = ::IsWindowEnabled(::GetDlgItem(d, 1018));
            seen.replaceEnabled = ::IsWindowEnabled(::GetDlgItem(d, 1019));
            seen.readOnly = (::GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0;
            // Enter in the text makes a new line (edit mode); the dialog stays.
            ::SendMessageW(edit, EM_SETSEL, 0, 0);
            KeyTo(d, 1011, VK_RETURN);
            for (int i = 0; i < 200 && ::GetWindowTextLengthW(edit) == int(seen.length); ++i)
              ::Sleep(10);
            seen.grewBy = static_cast<size_t>(::GetWindowTextLengthW(edit)) - seen.length;
            seen.stillOpen = ::IsWindow(d);
            ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
          },
          0);
      MenuCommand(command);
    }
    SCOPED_TRACE(command);
    const bool bPreview = command == 32808;
    EXPECT_EQ(seen.length, text.size()) << "whole, with its line breaks";
    EXPECT_EQ(seen.appendEnabled, !bPreview);
    EXPECT_EQ(seen.replaceEnabled, !bPreview);
    EXPECT_EQ(seen.readOnly, bPreview);
    EXPECT_EQ(seen.grewBy, bPreview ? 0u : 2u) << "a CR LF where Enter was pressed";
    EXPECT_TRUE(seen.stillOpen);
  }
  EXPECT_EQ(m_doc->GetItemCount(), 1);
}

TEST_F(ViewTest, AFiveMegabyteTextIsShownWholeAndCanStillBeTypedInto) {
  std::u16string text;
  while (text.size() < 2400000) text += u"some words on a line, and more of them to fill it\r\n";
  Fill({text.c_str()});
  Select({0});
  size_t shown = 0;
  {
    CBoxAnswerer answer(
        [&](HWND d) {
          HWND edit = ::GetDlgItem(d, 1011);
          shown = static_cast<size_t>(::GetWindowTextLengthW(edit));
          // An edit control refuses typing beyond its limit, 30,000 by default.
          ::SendMessageW(edit, EM_SETSEL, 0, 0);
          ::SendMessageW(edit, WM_CHAR, 'x', 1);
          KeyTo(d, 1011, VK_F2);
        },
        0);
    MenuCommand(32807);
  }
  EXPECT_EQ(shown, text.size());
  ASSERT_EQ(m_doc->GetItemCount(), 2);
  EXPECT_TRUE(m_doc->GetItem(0)->strText == u"x" + text) << "the typed character was taken";
}

TEST_F(ViewTest, FindDialogEndsAndKeepsItsCriteriaForF3) {
  Fill({u"alpha", u"abc one", u"beta", u"ABC two"});
  struct Case {
    const char* what;
    std::function<void(HWND)> act;
    CIndexArray selectedAfter;
    std::vector<bool> bookmarks;
  } cases[] = {
      {"Find Next",
       [](HWND d) {
         ::SetDlgItemTextW(d, 1021, L"abc");
         ::PostMessageW(d, WM_COMMAND, 1024, 0);
       },
       {1},
       {false, false, false, false}},
      {"Enter is Find Next",
       [](HWND d) {
         ::SetDlgItemTextW(d, 1021, L"abc");
         KeyTo(d, 1021, VK_RETURN);  // the default button's command
       },
       {1},
       {false, false, false, false}},
      {"Bookmark All with match case",
       [](HWND d) {
         ::SetDlgItemTextW(d, 1021, L"ABC");
         ::CheckDlgButton(d, 1022, BST_CHECKED);
         ::PostMessageW(d, WM_COMMAND, 1025, 0);
       },
       {},
       {false, false, false, true}},
      {"Escape",
       [](HWND d) {
         ::SetDlgItemTextW(d, 1021, L"beta");
         ::CheckDlgButton(d, 1023, BST_CHECKED);
         ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
       },
       {},
       {false, false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearBookmarks();
    *m_doc->GetFindCriteria() = FIND_CRITERIA{};
    Select({});
    {
      CBoxAnswerer answer(c.act, 0);
      Press({true, false, 'F'});
    }
    EXPECT_EQ(Selected(), c.selectedAfter);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(!!m_doc->GetItem(i)->bBookmark, c.bookmarks[i]) << i;
  }
  // The last run ended with Escape: its criteria stay, and F3 searches for them.
  EXPECT_EQ(m_doc->GetFindCriteria()->strText, u"beta");
  EXPECT_TRUE(m_doc->GetFindCriteria()->bWholeWord);
  Press({false, false, VK_F3});
  EXPECT_EQ(Selected(), (CIndexArray{2}));
}

TEST_F(ViewTest, FindDialogStoresItsSizeAtEveryEnd) {
  Fill({u"abc"});
  const CString16 key = u"Software\\Orvelle\\Tansel\\FindWindow";
  for (int end : {1024, 1025, IDCANCEL}) {
    SCOPED_TRACE(end);
    m_store.PutDword(key, u"Width", 0xBAD);
    m_store.PutDword(key, u"Height", 0xBAD);
    RECT shown{};
    {
      CBoxAnswerer answer([&](HWND d) { ::GetWindowRect(d, &shown); }, end);
      MenuCommand(32890);
    }
    uint32_t type;
    std::vector<uint8_t> width, height;
    ASSERT_TRUE(m_store.GetValue(key, u"Width", type, width));
    ASSERT_TRUE(m_store.GetValue(key, u"Height", type, height));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(width.data()), uint32_t(shown.right - shown.left));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(height.data()),
              uint32_t(shown.bottom - shown.top));
  }
}

TEST_F(ViewTest, FindNextFromTheDialogFollowsTheSelectionRules) {
  Fill({u"abc", u"def", u"abc"});
  const struct {
    const char* what;
    const wchar_t* text;
    CIndexArray before, after;
  } cases[] = {
      {"two rows selected: nothing at all", L"abc", {0, 1}, {0, 1}},
      {"an empty search text: no row selected", L"", {1}, {}},
      {"one row selected: the next match", L"abc", {0}, {2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Select(c.before);
    {
      CBoxAnswerer answer(
          [&](HWND d) {
            ::SetDlgItemTextW(d, 1021, c.text);
            ::PostMessageW(d, WM_COMMAND, 1024, 0);
          },
          0);
      MenuCommand(32890);
    }
    EXPECT_EQ(Selected(), c.after);
  }
}

TEST_F(ViewTest, FindDialogOpensWithThePreviousCriteria) {
  Fill({u"x"});
  *m_doc->GetFindCriteria() = FIND_CRITERIA{u"kept", TRUE, FALSE};
  std::wstring text;
  bool matchCase = false, wholeWord = true;
  {
    CBoxAnswerer answer(
        [&](HWND d) {
          text = TextOf(d, 1021);
          matchCase = ::IsDlgButtonChecked(d, 1022) == BST_CHECKED;
          wholeWord = ::IsDlgButtonChecked(d, 1023) == BST_CHECKED;
          ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        },
        0);
    MenuCommand(32890);
  }
  EXPECT_EQ(text, L"kept");
  EXPECT_TRUE(matchCase);
  EXPECT_FALSE(wholeWord);
}

}  // namespace
