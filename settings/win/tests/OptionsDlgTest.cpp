// "Options" run modally on the test's thread and worked from a helper thread:
// the hotkey list, the four options, the hotkey edit opened from a row; and
// where each settings dialog opens.
// Catches: an options dialog that shows or saves the wrong values, writes on Cancel, opens the
// hotkey dialog for a heading or leaves an overwritten hotkey shown; a dialog placed at a hidden
// owner's corner instead of the middle of the screen.
#include "settings/win/AboutDlg.h"
#include "settings/win/EditHotkeyDlg.h"
#include "settings/win/OptionsDlg.h"
#include "settings/win/OptionsMessages.h"
#include "settings/win/tests/DialogFixture.h"

namespace {

// The hotkey list, a row a line: "name\tdata\thotkey".
std::vector<std::wstring> ReadRows(HWND d) {
  CListView list(::GetDlgItem(d, IDC_HOTKEYS));
  std::vector<std::wstring> rows;
  for (int i = 0; i < list.GetItemCount(); ++i) {
    const CString16 row = list.GetItemText(i, 0) + u"\t" +
                          Utf16FromUtf8(std::to_string(list.GetItemData(i))) + u"\t" +
                          list.GetItemText(i, 1);
    rows.emplace_back(row.begin(), row.end());
  }
  return rows;
}

// The list as it must read: each group under its heading (data 0, no
// hotkey), its commands indented with their id and hotkey, stored or built in.
std::vector<std::wstring> ExpectedRows(std::map<uint32_t, uint32_t> stored) {
  const wchar_t* headings[] = {L"View\t0\t", L"Edit\t0\t", L"Options\t0\t"};
  std::vector<std::wstring> rows;
  CHotkey hotkeys;
  for (size_t i = 0; i < std::size(kCommandRows); ++i) {
    const COMMAND_ROW& c = kCommandRows[i];
    const CString16 id = Utf16FromUtf8(std::to_string(c.id));
    const CString16 hotkey = hotkeys.GetHotkeyText(stored.count(c.id) ? stored[c.id] : c.hotkey);
    if (!i || kCommandRows[i - 1].group != c.group) rows.push_back(headings[c.group]);
    const CString16 row = u"   " + CString16(c.name) + u"\t" + id + u"\t" + hotkey;
    rows.emplace_back(row.begin(), row.end());
  }
  return rows;
}

class OptionsDlgTest : public SettingsDialogTest {
 protected:
  using SettingsDialogTest::Run;
  INT_PTR Run(std::function<void(HWND)> act) {
    return SettingsDialogTest::Run(
        COptionsDlg(m_commands, m_accelerator, m_prompt, m_main.Handle()), act);
  }
};

TEST_F(OptionsDlgTest, ShowsTheStoredValuesOkWritesEveryOptionAndTellsTheMainWindowCancelNothing) {
  const struct {
    const char* what;
    bool bFilled;                 // else an empty store
    const wchar_t *items, *size;  // null: fields and boxes left as shown
    bool bTyped, paste, start;
    UINT close;                       // the message that ends the dialog
    int64_t storedItems, storedSize;  // -1: nothing stored
  } cases[] = {
      {"the defaults, unchanged, are written too", false, nullptr, nullptr, false, false, false,
       IDOK, 200, 5},
      {"plain numbers, both boxes ticked", true, L"61", L"9", false, true, true, IDOK, 61, 9},
      {"leading zeros", true, L"007", L"010", false, false, false, IDOK, 7, 10},
      {"empty fields write 0", true, L"", L"", false, false, true, IDOK, 0, 0},
      {"typed: digits only, three at most", true, L"12x345", L"9x8765", true, false, true, IDOK,
       123, 987},
      {"Cancel", true, L"3", L"4", false, true, false, IDCANCEL, 50, 12},
      {"the close box is a Cancel", true, L"3", L"4", false, true, false, 0, 50, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStore();
    if (c.bFilled) {
      m_oStore.PutDword(kOptionsPath, u"BufferSize", 50);
      m_oStore.PutDword(kOptionsPath, u"MaxClipboardCopySize", 12);
      m_oStore.PutDword(kOptionsPath, u"DoPaste", 0);
      m_oStore.PutDword(kHotkeysPath, u"1025", 0);
      m_oStore.PutDword(kHotkeysPath, u"1141", 0x40074);
      // Start with Windows is the Run value itself, whatever its command.
      m_oStore.PutValue(kRunPath, u"TANSEL", kRegSz, {'x', 0, 0, 0});
    }
    std::vector<std::wstring> rows;
    std::wstring values;  // items, size, pasting, start
    Run([&](HWND d) {
      rows = ReadRows(d);
      values = ItemText(d, IDC_ITEMS_COUNT) + L" " + ItemText(d, IDC_MAX_COPY_SIZE) + L" " +
               (Checked(d, IDC_PASTE_ACTIVATED) ? L"P" : L"-") +
               (Checked(d, IDC_START_WITH_WINDOWS) ? L"S" : L"-");
      for (int id : {IDC_ITEMS_COUNT, IDC_MAX_COPY_SIZE}) {
        const wchar_t* text = id == IDC_ITEMS_COUNT ? c.items : c.size;
        if (text) ::SetDlgItemTextW(d, id, c.bTyped ? L"" : text);
        for (const wchar_t* p = text; c.bTyped && *p; ++p)
          ::SendMessageW(::GetDlgItem(d, id), WM_CHAR, *p, 1);
      }
      if (c.items) ::CheckDlgButton(d, IDC_PASTE_ACTIVATED, c.paste ? BST_CHECKED : BST_UNCHECKED);
      if (c.items)
        ::CheckDlgButton(d, IDC_START_WITH_WINDOWS, c.start ? BST_CHECKED : BST_UNCHECKED);
      ::PostMessageW(d, c.close ? WM_COMMAND : WM_CLOSE, c.close, 0);
    });
    EXPECT_EQ(values, c.bFilled ? L"50 12 -S" : L"200 5 --");
    EXPECT_EQ(rows,
              ExpectedRows(c.bFilled ? std::map<uint32_t, uint32_t>{{1025, 0}, {1141, 0x40074}}
                                     : std::map<uint32_t, uint32_t>{}));
    const bool bOk = c.close == IDOK;
    EXPECT_EQ(StoredDword(m_oStore, kOptionsPath, u"BufferSize"), c.storedItems);
    EXPECT_EQ(StoredDword(m_oStore, kOptionsPath, u"MaxClipboardCopySize"), c.storedSize);
    EXPECT_EQ(StoredDword(m_oStore, kOptionsPath, u"DoPaste"), bOk ? int64_t{c.paste} : 0);
    EXPECT_EQ(m_oStore.ValueNames(kRunPath).size(), 1u + (bOk ? c.start : c.bFilled));
    EXPECT_EQ(m_main.m_messages, bOk ? std::vector<UINT>{WM_OPTIONS_CHANGED} : std::vector<UINT>{});
  }
}

TEST_F(OptionsDlgTest, ADoubleClickedRowOpensItsHotkeyAndAnOverwriteShowsAtOnce) {
  const DWORD thread = ::GetCurrentThreadId();
  m_prompt.m_answers = {IDYES};
  std::vector<std::wstring> after;
  std::wstring edited;
  bool bHeadingOpenedNothing = false;
  const INT_PTR result = Run([&](HWND d) {
    // A heading opens nothing.
    DoubleClickListRow(::GetDlgItem(d, IDC_HOTKEYS), 3, true);
    if (HWND wrong = WaitForNewDialog(thread, {d}, 500)) {
      ::SendMessageW(wrong, WM_COMMAND, IDCANCEL, 0);  // so the test can go on
    } else {
      bHeadingOpenedNothing = true;
    }
    // "Edit First Item" takes the hotkey of "Show Main Window".
    DoubleClickListRow(::GetDlgItem(d, IDC_HOTKEYS), 5, true);
    HWND edit = WaitForNewDialog(thread, {d});
    if (!edit) return;
    edited = HotkeyShown(edit);
    Choose(edit, true, true, false, L"A");
    ::PostMessageW(edit, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 500 && ::IsWindow(edit); ++i) ::Sleep(10);
    after = ReadRows(d);
    // The options' own Cancel does not undo a hotkey.
    ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(bHeadingOpenedNothing);
  EXPECT_EQ(edited, L"Edit First Item: --- (None)");
  EXPECT_EQ(after, ExpectedRows({{1025, 0}, {1142, 0x30041}}));
  EXPECT_EQ(StoredHotkey(1025), 0);
  EXPECT_EQ(StoredHotkey(1142), 0x30041);
  EXPECT_EQ(m_accelerator.GetMessageID(0x30041), 1142u);
}

// Opened from the tray the owner is hidden: its corner would be a place the
// user never looks at.
TEST_F(OptionsDlgTest, EachDialogOpensCentredOverAShownOwnerElseOnTheScreen) {
  RECT work;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  const RECT owner{400, 300, 1000, 800};
  const char* names[] = {"Options", "Hotkey Edit", "About"};
  for (int i = 0; i < 3; ++i) {
    for (bool bShown : {false, true}) {
      SCOPED_TRACE(std::string(names[i]) + (bShown ? ", owner shown" : ", owner hidden"));
      ::SetWindowPos(m_main.Handle(), nullptr, owner.left, owner.top, owner.right - owner.left,
                     owner.bottom - owner.top,
                     SWP_NOZORDER | (bShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
      RECT at{};
      const auto look = [&](HWND d) {
        ::GetWindowRect(d, &at);
        ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      };
      if (i == 0) Run(look);
      if (i == 1) Run(CEditHotkeyDlg(1025, m_commands, m_accelerator, m_prompt), look);
      if (i == 2) Run(CAboutDlg(), look);
      const RECT& area = bShown ? owner : work;
      EXPECT_NEAR(at.left + at.right, area.left + area.right, 2);
      EXPECT_NEAR(at.top + at.bottom, area.top + area.bottom, 2);
    }
  }
  ::ShowWindow(m_main.Handle(), SW_HIDE);
}

}  // namespace
