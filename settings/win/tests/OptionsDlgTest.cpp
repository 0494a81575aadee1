// "Options" run modally on the test's thread and worked from a helper thread:
// the hotkey list, the four options, the hotkey edit opened from a row; and
// where each settings dialog opens.
// Catches: an options dialog that shows or saves the wrong values, writes on Cancel, opens the
// hotkey dialog for a heading or leaves an overwritten hotkey shown; a dialog placed at a hidden
// owner's corner instead of the middle of the screen; an about box with the wrong version.
#include <functional>

#include "resources/resource.h"
#include "settings/win/AboutDlg.h"
#include "settings/win/EditHotkeyDlg.h"
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
};

TEST_F(OptionsDlgTest, ShowsEveryCommandUnderItsHeadingAndTheStoredValues) {
  const struct {
    const char* what;
    bool bFilled;
    const wchar_t *showMain, *preview;  // the two hotkeys the cases differ in
    std::wstring values;                // items, size, pasting, start
  } cases[] = {
      {"an empty store: the defaults", false, L"Ctrl + Alt + A", L"", L"200 5 --"},
      {"a filled store", true, L"", L"Shift + F5", L"50 12 PS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStore();
    if (c.bFilled) {
      m_store.PutDword(kOptionsPath, u"BufferSize", 50);
      m_store.PutDword(kOptionsPath, u"MaxClipboardCopySize", 12);
      m_store.PutDword(kOptionsPath, u"DoPaste", 1);
      m_store.PutDword(kHotkeysPath, u"1025", 0);
      m_store.PutDword(kHotkeysPath, u"1141", 0x40074);
      // Start with Windows is the Run value itself, whatever its command.
      m_store.PutValue(kRunPath, u"TANSEL", kRegSz, {'x', 0, 0, 0});
    }
    const size_t nOptionsBefore = m_store.ValueNames(kOptionsPath).size();
    std::vector<ROW> rows;
    std::wstring values;
    Run([&](HWND d) {
      rows = ReadRows(d);
      values = ItemText(d, IDC_ITEMS_COUNT) + L" " + ItemText(d, IDC_MAX_COPY_SIZE) + L" " +
               (Checked(d, IDC_PASTE_ACTIVATED) ? L"P" : L"-") +
               (Checked(d, IDC_START_WITH_WINDOWS) ? L"S" : L"-");
      ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(values, c.values);
    ASSERT_EQ(rows.size(), 28u);
    // Headings carry 0 and no hotkey; commands their message id.
    const struct {
      int row;
      const wchar_t* name;
      LPARAM id;
      const wchar_t* hotkey;
    } expected[] = {
        {0, L"View", 0, L""},
        {1, L"   Show Main Window", 1025, c.showMain},
        {2, L"   Show Clip Window", 1026, L"Ctrl + Alt + 0"},
        {3, L"Edit", 0, L""},
        {4, L"   Preview First Item", 1141, c.preview},
        {6, L"   Bookmark First Item", 1143, L"Ctrl + Alt + 3"},
        {7, L"   Activate First Bookmark", 1144, L"Ctrl + Alt + 6"},
        {8, L"   Revert First Items", 1125, L"Ctrl + Alt + 9"},
        {12, L"   Smart Make Object First Item", 1128, L"Ctrl + Alt + Numpad *"},
        {13, L"   Smart Convert from ID First Item", 1130, L"Ctrl + Alt + Numpad +"},
        {14, L"   Smart Convert to ID First Item", 1129, L"Ctrl + Alt + Numpad -"},
        {24, L"   Insert date/time - 'yyyymmddHHMMSS'", 1140, L""},
        {25, L"Options", 0, L""},
        {26, L"   Paste Activated Item", 1225, L""},
        {27, L"   Reset Clipboard Viewer", 1226, L""},
    };
    for (const auto& e : expected) {
      EXPECT_EQ(rows[e.row].name, e.name) << e.row;
      EXPECT_EQ(rows[e.row].data, e.id) << e.row;
      EXPECT_EQ(rows[e.row].hotkey, e.hotkey) << e.row;
    }
    int withHotkey = 0;
    for (const ROW& r : rows) withHotkey += !r.hotkey.empty();
    EXPECT_EQ(withHotkey, 8);
    // Cancel wrote and posted nothing.
    EXPECT_EQ(m_store.ValueNames(kOptionsPath).size(), nOptionsBefore);
    EXPECT_EQ(m_store.ValueNames(kRunPath).size(), c.bFilled ? 2u : 1u);
    EXPECT_TRUE(m_main.m_messages.empty());
  }
}

TEST_F(OptionsDlgTest, OkWritesEveryOptionAndTellsTheMainWindowCancelNothing) {
  const struct {
    const char* what;
    const wchar_t *items, *size;
    bool bTyped, paste, start;
    UINT close;                       // the message that ends the dialog
    int64_t storedItems, storedSize;  // -1: nothing stored
  } cases[] = {
      {"plain numbers, both boxes ticked", L"50", L"9", false, true, true, IDOK, 50, 9},
      {"leading zeros", L"007", L"010", false, false, false, IDOK, 7, 10},
      {"empty fields write 0", L"", L"", false, false, true, IDOK, 0, 0},
      {"unchanged values are written too", L"200", L"5", false, false, false, IDOK, 200, 5},
      {"typed: digits only, three at most", L"12x345", L"9x8765", true, false, true, IDOK, 123,
       987},
      {"Cancel", L"3", L"4", false, true, false, IDCANCEL, 60, -1},
      {"the close box is a Cancel", L"3", L"4", false, true, false, 0, 60, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStore();
    m_store.PutValue(kRunPath, u"Tansel", kRegSz, {'x', 0, 0, 0});
    m_store.PutDword(kOptionsPath, u"BufferSize", 60);
    Run([&](HWND d) {
      for (int id : {IDC_ITEMS_COUNT, IDC_MAX_COPY_SIZE}) {
        const wchar_t* text = id == IDC_ITEMS_COUNT ? c.items : c.size;
        ::SetDlgItemTextW(d, id, c.bTyped ? L"" : text);
        for (const wchar_t* p = text; c.bTyped && *p; ++p)
          ::SendMessageW(::GetDlgItem(d, id), WM_CHAR, *p, 1);
      }
      ::CheckDlgButton(d, IDC_PASTE_ACTIVATED, c.paste ? BST_CHECKED : BST_UNCHECKED);
      ::CheckDlgButton(d, IDC_START_WITH_WINDOWS, c.start ? BST_CHECKED : BST_UNCHECKED);
      ::PostMessageW(d, c.close ? WM_COMMAND : WM_CLOSE, c.close, 0);
    });
    const bool bOk = c.close == IDOK;
    EXPECT_EQ(Stored(kOptionsPath, u"BufferSize"), c.storedItems);
    EXPECT_EQ(Stored(kOptionsPath, u"MaxClipboardCopySize"), c.storedSize);
    EXPECT_EQ(Stored(kOptionsPath, u"DoPaste"), bOk ? int64_t{c.paste} : -1);
    uint32_t type;
    std::vector<uint8_t> data;
    EXPECT_EQ(m_store.GetValue(kRunPath, u"Tansel", type, data), c.start || !bOk);
    EXPECT_EQ(m_main.m_messages, bOk ? std::vector<UINT>{WM_OPTIONS_CHANGED} : std::vector<UINT>{});
  }
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

// Opened from the tray the owner is hidden: its corner would be a place the
// user never looks at.
TEST_F(OptionsDlgTest, EachDialogOpensCentredOverAShownOwnerElseOnTheScreen) {
  RECT work;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  const RECT owner{400, 300, 1000, 800};
  const struct {
    const char* what;
    std::function<void(HWND)> run;
  } dialogs[] = {
      {"Options", [&](HWND o) { COptionsDlg(m_commands, m_accelerator, m_prompt, o).DoModal(o); }},
      {"Hotkey Edit",
       [&](HWND o) { CEditHotkeyDlg(1025, m_commands, m_accelerator, m_prompt).DoModal(o); }},
      // The version record's parts as unsigned numbers, or the template's.
      {"About",
       [](HWND o) {
         CAboutDlg about;
         about.m_bHasVersion = ::IsWindowVisible(o);
         const WORD parts[4] = {65535, 0, 0, 1};
         std::copy(parts, parts + 4, about.m_wVersion);
         about.DoModal(o);
       }},
  };
  for (const auto& dialog : dialogs) {
    for (bool bShown : {false, true}) {
      SCOPED_TRACE(std::string(dialog.what) + (bShown ? ", owner shown" : ", owner hidden"));
      ::SetWindowPos(m_main.Handle(), nullptr, owner.left, owner.top, owner.right - owner.left,
                     owner.bottom - owner.top,
                     SWP_NOZORDER | (bShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
      RECT at{};
      std::wstring version;
      {
        CBoxAnswerer answer(
            [&](HWND d) {
              ::GetWindowRect(d, &at);
              version = ItemText(d, IDC_VERSION);
              ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
            },
            0);
        dialog.run(m_main.Handle());
      }
      const RECT& area = bShown ? owner : work;
      EXPECT_NEAR(at.left + at.right, area.left + area.right, 2);
      EXPECT_NEAR(at.top + at.bottom, area.top + area.bottom, 2);
      if (std::string(dialog.what) == "About") {
        EXPECT_EQ(version, bShown ? L"65535.0.0.1" : L"1.0.0.0");
      }
    }
  }
  ::ShowWindow(m_main.Handle(), SW_HIDE);
}

}  // namespace
