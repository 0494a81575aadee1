// "Options" run modally on the test's thread and worked from a helper thread:
// the hotkey list, the four options, and the hotkey edit opened from a row.
// Catches: an options dialog that shows or saves the wrong values, writes on Cancel, or opens the
// hotkey dialog for a heading.
#include <functional>

#include "resources/resource.h"
#include "settings/win/OptionsDlg.h"
#include "settings/win/OptionsMessages.h"
#include "settings/win/tests/DialogFixture.h"

namespace {

struct ROW {
  std::wstring name, hotkey;
  LPARAM data;
};

std::vector<ROW> ReadRows(HWND d) {
  CListView list(::GetDlgItem(d, IDC_HOTKEYS));
  std::vector<ROW> rows;
  for (int i = 0; i < list.GetItemCount(); ++i) {
    const CString16 name = list.GetItemText(i, 0), hotkey = list.GetItemText(i, 1);
    rows.push_back({std::wstring(name.begin(), name.end()),
                    std::wstring(hotkey.begin(), hotkey.end()), list.GetItemData(i)});
  }
  return rows;
}

// A double click on a row, as the mouse makes it.
void DoubleClickRow(HWND d, int row) {
  HWND list = ::GetDlgItem(d, IDC_HOTKEYS);
  RECT r{LVIR_LABEL, 0, 0, 0};
  ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(list, WM_LBUTTONUP, 0, at);
  ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::PostMessageW(list, WM_LBUTTONUP, 0, at);
}

// The hotkey list and the four options as the dialog shows them.
struct SHOWN {
  std::vector<ROW> rows;
  std::wstring items, size;
  bool paste = false, start = false;
};

SHOWN ReadDialog(HWND d) {
  return {ReadRows(d), ItemText(d, IDC_ITEMS_COUNT), ItemText(d, IDC_MAX_COPY_SIZE),
          Checked(d, IDC_PASTE_ACTIVATED), Checked(d, IDC_START_WITH_WINDOWS)};
}

class OptionsDlgTest : public SettingsDialogTest {
 protected:
  INT_PTR Run(std::function<void(HWND)> act) {
    COptionsDlg dialog(m_commands, m_accelerator, m_prompt, m_main.Handle());
    m_main.m_messages.clear();
    CBoxAnswerer answer(act, 0);
    const INT_PTR result = dialog.DoModal(m_main.Handle());
    EXPECT_TRUE(answer.Answered());
    PumpFor(20);
    return result;
  }
  bool OptionsChangedPosted() const {
    return m_main.m_messages == std::vector<UINT>{WM_OPTIONS_CHANGED};
  }
};

TEST_F(OptionsDlgTest, AnEmptyStoreShowsEveryCommandAndTheDefaults) {
  SHOWN shown;
  DWORD exStyle = 0;
  int width0 = 0, width1 = 0;
  Run([&](HWND d) {
    shown = ReadDialog(d);
    HWND list = ::GetDlgItem(d, IDC_HOTKEYS);
    exStyle = static_cast<DWORD>(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    width0 = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    width1 = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
    ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_EQ(shown.rows.size(), 28u);
  // Headings carry 0 and no hotkey; commands the message id and three blanks.
  for (int heading : {0, 3, 25}) {
    EXPECT_EQ(shown.rows[heading].data, 0) << heading;
    EXPECT_EQ(shown.rows[heading].hotkey, L"") << heading;
  }
  EXPECT_EQ(shown.rows[0].name, L"View");
  EXPECT_EQ(shown.rows[3].name, L"Edit");
  EXPECT_EQ(shown.rows[25].name, L"Options");
  const struct {
    int row;
    const wchar_t* name;
    LPARAM id;
    const wchar_t* hotkey;
  } expected[] = {
      {1, L"   Show Main Window", 1025, L"Ctrl + Alt + A"},
      {2, L"   Show Clip Window", 1026, L"Ctrl + Alt + 0"},
      {4, L"   Preview First Item", 1141, L""},
      {6, L"   Bookmark First Item", 1143, L"Ctrl + Alt + 3"},
      {7, L"   Activate First Bookmark", 1144, L"Ctrl + Alt + 6"},
      {8, L"   Revert First Items", 1125, L"Ctrl + Alt + 9"},
      {12, L"   Smart Make Object First Item", 1128, L"Ctrl + Alt + Numpad *"},
      {13, L"   Smart Convert from ID First Item", 1130, L"Ctrl + Alt + Numpad +"},
      {14, L"   Smart Convert to ID First Item", 1129, L"Ctrl + Alt + Numpad -"},
      {24, L"   Insert date/time - 'yyyymmddHHMMSS'", 1140, L""},
      {26, L"   Paste Activated Item", 1225, L""},
      {27, L"   Reset Clipboard Viewer", 1226, L""},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(shown.rows[e.row].name, e.name) << e.row;
    EXPECT_EQ(shown.rows[e.row].data, e.id) << e.row;
    EXPECT_EQ(shown.rows[e.row].hotkey, e.hotkey) << e.row;
  }
  int withHotkey = 0;
  for (const ROW& r : shown.rows) withHotkey += !r.hotkey.empty();
  EXPECT_EQ(withHotkey, 8);
  EXPECT_EQ(exStyle & 0x4421u, 0x4421u);
  EXPECT_EQ(width0, 260);
  EXPECT_EQ(width1, 140);
  EXPECT_EQ(shown.items, L"200");
  EXPECT_EQ(shown.size, L"5");
  EXPECT_FALSE(shown.paste);
  EXPECT_FALSE(shown.start);
  // Cancel wrote and posted nothing.
  EXPECT_TRUE(m_store.ValueNames(kOptionsPath).empty());
  EXPECT_EQ(m_store.ValueNames(kRunPath), std::vector<CString16>{u"Other"});
  EXPECT_TRUE(m_main.m_messages.empty());
}

TEST_F(OptionsDlgTest, AFilledStoreIsShownAsStored) {
  m_store.PutDword(kOptionsPath, u"BufferSize", 50);
  m_store.PutDword(kOptionsPath, u"MaxClipboardCopySize", 12);
  m_store.PutDword(kOptionsPath, u"DoPaste", 1);
  m_store.PutDword(kHotkeysPath, u"1025", 0);
  m_store.PutDword(kHotkeysPath, u"1141", 0x40074);
  // Start with Windows is the Run value itself, whatever its command.
  m_store.PutValue(kRunPath, u"TANSEL", kRegSz, {'x', 0, 0, 0});
  SHOWN shown;
  Run([&](HWND d) {
    shown = ReadDialog(d);
    ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_EQ(shown.rows.size(), 28u);
  EXPECT_EQ(shown.rows[1].hotkey, L"");
  EXPECT_EQ(shown.rows[4].hotkey, L"Shift + F5");
  EXPECT_EQ(shown.items, L"50");
  EXPECT_EQ(shown.size, L"12");
  EXPECT_TRUE(shown.paste);
  EXPECT_TRUE(shown.start);
}

TEST_F(OptionsDlgTest, OkWritesEveryOptionAndTellsTheMainWindow) {
  const struct {
    const char* what;
    const wchar_t *items, *size;
    bool paste, start;
    uint32_t storedItems, storedSize;
  } cases[] = {
      {"plain numbers, both boxes ticked", L"50", L"9", true, true, 50, 9},
      {"leading zeros", L"007", L"010", false, false, 7, 10},
      {"empty fields write 0", L"", L"", false, true, 0, 0},
      {"unchanged values are written too", L"200", L"5", false, false, 200, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStore();
    EXPECT_EQ(Run([&](HWND d) {
                ::SetDlgItemTextW(d, IDC_ITEMS_COUNT, c.items);
                ::SetDlgItemTextW(d, IDC_MAX_COPY_SIZE, c.size);
                ::CheckDlgButton(d, IDC_PASTE_ACTIVATED, c.paste ? BST_CHECKED : BST_UNCHECKED);
                ::CheckDlgButton(d, IDC_START_WITH_WINDOWS, c.start ? BST_CHECKED : BST_UNCHECKED);
                ::PostMessageW(d, WM_COMMAND, IDOK, 0);
              }),
              IDOK);
    uint32_t value = 0;
    ASSERT_TRUE(StoredDword(kOptionsPath, u"BufferSize", value));
    EXPECT_EQ(value, c.storedItems);
    ASSERT_TRUE(StoredDword(kOptionsPath, u"MaxClipboardCopySize", value));
    EXPECT_EQ(value, c.storedSize);
    ASSERT_TRUE(StoredDword(kOptionsPath, u"DoPaste", value));
    EXPECT_EQ(value, c.paste ? 1u : 0u);
    uint32_t type;
    std::vector<uint8_t> data;
    EXPECT_EQ(m_store.GetValue(kRunPath, u"Tansel", type, data), c.start);
    EXPECT_TRUE(OptionsChangedPosted());
  }
}

TEST_F(OptionsDlgTest, TheNumberFieldsTakeThreeDigitsAtMost) {
  const struct {
    int id;
    const char16_t* value;
  } fields[] = {{IDC_ITEMS_COUNT, u"BufferSize"}, {IDC_MAX_COPY_SIZE, u"MaxClipboardCopySize"}};
  for (const auto& f : fields) {
    SCOPED_TRACE(f.id);
    std::wstring typed;
    Run([&](HWND d) {
      HWND edit = ::GetDlgItem(d, f.id);
      ::SetDlgItemTextW(d, f.id, L"");
      for (wchar_t ch : std::wstring(L"12x345")) ::SendMessageW(edit, WM_CHAR, ch, 1);
      typed = ItemText(d, f.id);
      ::PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(typed, L"123");
    uint32_t value = 0;
    ASSERT_TRUE(StoredDword(kOptionsPath, f.value, value));
    EXPECT_EQ(value, 123u);
  }
}

TEST_F(OptionsDlgTest, CancelLeavesTheRunValueAndTheOptions) {
  m_store.PutValue(kRunPath, u"Tansel", kRegSz, {'x', 0, 0, 0});
  m_store.PutDword(kOptionsPath, u"BufferSize", 60);
  Run([&](HWND d) {
    ::CheckDlgButton(d, IDC_START_WITH_WINDOWS, BST_UNCHECKED);
    ::SetDlgItemTextW(d, IDC_ITEMS_COUNT, L"3");
    ::PostMessageW(d, WM_CLOSE, 0, 0);  // the close box is a Cancel
  });
  uint32_t type, value = 0;
  std::vector<uint8_t> data;
  EXPECT_TRUE(m_store.GetValue(kRunPath, u"Tansel", type, data));
  ASSERT_TRUE(StoredDword(kOptionsPath, u"BufferSize", value));
  EXPECT_EQ(value, 60u);
  EXPECT_TRUE(m_main.m_messages.empty());
}

TEST_F(OptionsDlgTest, ADoubleClickedRowOpensItsHotkeyAndAnOverwriteShowsAtOnce) {
  const DWORD thread = ::GetCurrentThreadId();
  m_prompt.m_answers = {IDYES};
  std::vector<ROW> after;
  std::wstring editedName;
  bool bHeadingOpenedNothing = false;
  const INT_PTR result = Run([&](HWND d) {
    // A heading opens nothing.
    DoubleClickRow(d, 3);
    if (HWND wrong = WaitForNewDialog(thread, {d}, 500)) {
      ::SendMessageW(wrong, WM_COMMAND, IDCANCEL, 0);  // so the test can go on
    } else {
      bHeadingOpenedNothing = true;
    }
    // "Edit First Item" takes the hotkey of "Show Main Window".
    DoubleClickRow(d, 5);
    HWND edit = WaitForNewDialog(thread, {d});
    if (!edit) return;
    editedName = ItemText(edit, IDC_COMMAND_NAME);
    ::CheckDlgButton(edit, IDC_CTRL, BST_CHECKED);
    ::CheckDlgButton(edit, IDC_ALT, BST_CHECKED);
    ::SendMessageW(::GetDlgItem(edit, IDC_KEY), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(L"A"));
    ::PostMessageW(edit, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 500 && ::IsWindow(edit); ++i) ::Sleep(10);
    after = ReadRows(d);
    // The options' own Cancel does not undo a hotkey.
    ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(bHeadingOpenedNothing);
  EXPECT_EQ(editedName, L"Edit First Item");
  ASSERT_EQ(after.size(), 28u);
  EXPECT_EQ(after[1].hotkey, L"");
  EXPECT_EQ(after[5].hotkey, L"Ctrl + Alt + A");
  EXPECT_EQ(StoredHotkey(1025), 0);
  EXPECT_EQ(StoredHotkey(1142), 0x30041);
  EXPECT_EQ(m_accelerator.GetMessageID(0x30041), 1142u);
}

}  // namespace
