// The item editor and the find dialog, run by the list view's commands and
// driven from a helper thread as a user would: typing, keys, buttons, the
// close box; and where the find dialog opens.
// Catches: an item editor or find dialog that returns the wrong result, text or criteria, forgets
// its criteria or size at some way of closing, an editor that changes another item when copies
// moved the edited one, or a find dialog that opens away from its owner.
#include <atomic>
#include <functional>

#include "ui/WinText.h"
#include "views/tests/ViewFixture.h"

namespace {

// Sends keys to a control of a dialog up on the tested thread.
void KeyTo(HWND dialog, int id, WORD vk) {
  ::PostMessageW(::GetDlgItem(dialog, id), WM_KEYDOWN, vk, 1);
  ::PostMessageW(::GetDlgItem(dialog, id), WM_KEYUP, vk, 0xC0000001);
}

// Whether the dialog is still up once its thread has handled what was
// posted to the text before: a selection posted after it comes back.
bool StaysAfterPostedMessages(HWND dialog) {
  HWND edit = ::GetDlgItem(dialog, 1011);
  ::PostMessageW(edit, EM_SETSEL, 1, 1);
  DWORD start = 0;
  WaitFor([&] {
    return !::IsWindow(edit) ||
           (::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0), start == 1);
  });
  return ::IsWindow(dialog) && start == 1;
}

// What a user does in a dialog: types a text into a control and ticks a box
// (each when given), then presses a key in that control or a button.
struct ACT {
  int control;
  const wchar_t* text;
  int box;
  WORD key;
  UINT button;
};

void Act(HWND dialog, const ACT& act) {
  if (act.text) ::SetDlgItemTextW(dialog, act.control, act.text);
  if (act.box) ::CheckDlgButton(dialog, act.box, BST_CHECKED);
  if (act.key) KeyTo(dialog, act.control, act.key);
  if (act.button) ::PostMessageW(dialog, WM_COMMAND, act.button, 0);
}

// A copy comes in while each dialog is up: the editor still changes the
// item it was opened on, the search runs on the list as it is then.
TEST_F(ViewTest, ItemEditorAndFindDialogEndAsTheUserChooses) {
  const KEY_PRESS kEditor{true, false, VK_RETURN}, kFind{true, false, 'F'};
  const struct {
    const char* what;
    KEY_PRESS open;
    ACT act;
    CIndexArray after;
    const char* history;  // null: as it was after the copy
  } cases[] = {
      // clang-format off
      {"F2 appends", kEditor, {1011, L"new", 0, VK_F2, 0}, {}, "new|copied|alpha|abc one|beta|ABC two"},
      {"F3 replaces", kEditor, {1011, L"changed", 0, VK_F3, 0}, {}, "copied|alpha|changed|beta|ABC two"},
      {"Cancel after changes", kEditor, {1011, L"dropped", 0, 0, IDCANCEL}, {}, nullptr},
      {"Find Next", kFind, {1021, L"abc", 0, 0, 1024}, {2}, nullptr},
      {"Enter is Find Next", kFind, {1021, L"abc", 0, VK_RETURN, 0}, {2}, nullptr},
      {"Bookmark All with match case", kFind, {1021, L"ABC", 1022, 0, 1025}, {},
       "copied|alpha|abc one|beta|ABC two*"},
      {"Escape", kFind, {1021, L"beta", 1023, 0, IDCANCEL}, {}, nullptr},
      // clang-format on
  };
  std::atomic<bool> copied{false};
  m_host->m_fnOnApp = [&] {
    Copy(u"copied");
    copied = true;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fill("alpha|abc one|beta|ABC two");
    *m_doc->GetFindCriteria() = FIND_CRITERIA{};
    Select({1});
    copied = false;
    EXPECT_TRUE(WithDialog(
        [&](HWND d) {
          ::PostMessageW(m_host->Handle(), WM_APP, 0, 0);
          EXPECT_TRUE(WaitFor([&] { return copied.load(); })) << "no copy while the dialog was up";
          Act(d, c.act);
        },
        [&] { Press(c.open); }));
    EXPECT_EQ(Selected(), c.after);
    EXPECT_EQ(History(), c.history ? c.history : "copied|alpha|abc one|beta|ABC two");
  }
}

TEST_F(ViewTest, ItemEditorShowsAHugeTextWholeAndOnlyEditingTakesTyping) {
  std::u16string text;
  while (text.size() < 2400000) text += u"some words on a line, and more of them to fill it\r\n";
  // What the dialog showed: whether the text came whole, which of Append,
  // Replace and read-only were on, by how much typing grew the text, whether
  // it stayed up after F2 and F3.
  const struct {
    UINT command;
    const char* seen;
    int count;  // items afterwards, the newest:
    std::u16string newest;
  } cases[] = {{32808, "whole, read-only, grew by 0, stayed", 1, text},
               {32807, "whole, append, replace, grew by 3", 2, u"x\r\n" + text}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    Fill(Utf8FromUtf16(text));
    Select({0});
    std::string seen;
    WithDialog(
        [&](HWND d) {
          HWND edit = ::GetDlgItem(d, 1011);
          const int length = ::GetWindowTextLengthW(edit);
          seen = size_t(length) == text.size() ? "whole" : "cut";
          seen += ::IsWindowEnabled(::GetDlgItem(d, 1018)) ? ", append" : "";
          seen += ::IsWindowEnabled(::GetDlgItem(d, 1019)) ? ", replace" : "";
          seen += ::GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY ? ", read-only" : "";
          // An edit control refuses typing beyond its limit, 30,000 by
          // default; Enter makes a new line in the editor, the dialog stays.
          ::SendMessageW(edit, EM_SETSEL, 0, 0);
          ::SendMessageW(edit, WM_CHAR, 'x', 1);
          KeyTo(d, 1011, VK_RETURN);
          WaitFor([&] { return ::GetWindowTextLengthW(edit) >= length + 3; }, 2000);
          seen += ", grew by " + std::to_string(::GetWindowTextLengthW(edit) - length);
          // F2 appends and ends an editor; a preview takes neither F2 nor F3.
          KeyTo(d, 1011, VK_F2);
          if (c.command == 32808) KeyTo(d, 1011, VK_F3);
          seen += StaysAfterPostedMessages(d) ? ", stayed" : "";
          ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        },
        [&] { MenuCommand(c.command); });
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(m_doc->GetItemCount(), c.count);
    EXPECT_TRUE(m_doc->GetItem(0)->strText == c.newest);
  }
}

// Find criteria as one string: the text, then "+case" and "+word" when set.
std::u16string Criteria(const std::u16string& text, bool matchCase, bool wholeWord) {
  return text + (matchCase ? u"+case" : u"") + (wholeWord ? u"+word" : u"");
}

TEST_F(ViewTest, FindDialogOpensOverItsOwnerWithTheCriteriaAndWritesThemAndItsSizeAtEveryEnd) {
  Fill("abc");
  // The owner shown away from the middle of the screen.
  ::SetWindowPos(m_host->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(m_host->Handle(), SW_SHOWNOACTIVATE);
  RECT owner;
  ::GetWindowRect(m_host->Handle(), &owner);
  const CString16 key = u"Software\\Orvelle\\Tansel\\FindWindow";
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
  } ends[] = {{"Find Next", WM_COMMAND, 1024},
              {"Bookmark All", WM_COMMAND, 1025},
              {"Escape", WM_COMMAND, IDCANCEL},
              {"the close box", WM_SYSCOMMAND, SC_CLOSE},
              {"closed", WM_CLOSE, 0}};
  for (const auto& end : ends) {
    SCOPED_TRACE(end.what);
    *m_doc->GetFindCriteria() = FIND_CRITERIA{u"kept", TRUE, FALSE};
    m_store.PutDword(key, u"Width", 0xBAD);
    m_store.PutDword(key, u"Height", 0xBAD);
    RECT shown{};
    std::u16string opened;
    WithDialog(
        [&](HWND d) {
          ::GetWindowRect(d, &shown);
          wchar_t text[32] = {};
          ::GetDlgItemTextW(d, 1021, text, 32);
          opened = Criteria(PortableText(text), ::IsDlgButtonChecked(d, 1022) == BST_CHECKED,
                            ::IsDlgButtonChecked(d, 1023) == BST_CHECKED);
          ::CheckDlgButton(d, 1022, BST_UNCHECKED);
          Act(d, {1021, L"typed", 1023, 0, 0});
          ::PostMessageW(d, end.message, end.wParam, 0);
        },
        [&] { MenuCommand(32890); });
    EXPECT_EQ(opened, u"kept+case");
    EXPECT_NEAR(shown.left + shown.right, owner.left + owner.right, 2);
    EXPECT_NEAR(shown.top + shown.bottom, owner.top + owner.bottom, 2);
    const FIND_CRITERIA& criteria = *m_doc->GetFindCriteria();
    EXPECT_EQ(Criteria(criteria.strText, criteria.bMatchCase, criteria.bWholeWord), u"typed+word");
    uint32_t type;
    std::vector<uint8_t> width, height;
    ASSERT_TRUE(m_store.GetValue(key, u"Width", type, width) &&
                m_store.GetValue(key, u"Height", type, height));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(width.data()), uint32_t(shown.right - shown.left));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(height.data()),
              uint32_t(shown.bottom - shown.top));
  }
}

}  // namespace
