// "Hotkey Edit" run modally on the test's thread and worked from a helper
// thread as a user would: ticking boxes, choosing a key, pressing a button.
// Catches: a hotkey dialog that stores the wrong value, takes a combination from another command
// without asking, or leaves the old registration behind.
#include <functional>

#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"
#include "settings/Hotkey.h"
#include "settings/win/EditHotkeyDlg.h"
#include "settings/win/tests/DialogFixture.h"

namespace {

const uint32_t kShowMain = 1025, kShowClip = 1026, kEditFirst = 1142, kPreviewFirst = 1141;
const uint32_t kCtrlAltA = 0x30041, kCtrlAlt0 = 0x30030, kShiftF5 = 0x40074;

struct SHOWN {
  std::wstring name;
  bool ctrl = false, alt = false, shift = false;
  std::wstring key;  // empty: no entry selected
  int entries = 0;
};

SHOWN ReadDialog(HWND d) {
  SHOWN s;
  s.name = ItemText(d, IDC_COMMAND_NAME);
  s.ctrl = Checked(d, IDC_CTRL);
  s.alt = Checked(d, IDC_ALT);
  s.shift = Checked(d, IDC_SHIFT);
  HWND combo = ::GetDlgItem(d, IDC_KEY);
  s.entries = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  const LRESULT sel = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (sel >= 0) {
    wchar_t text[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
    s.key = text;
  }
  return s;
}

// Sets the controls as the user would leave them; key "" selects nothing.
void Choose(HWND d, bool ctrl, bool alt, bool shift, const wchar_t* key) {
  ::CheckDlgButton(d, IDC_CTRL, ctrl ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(d, IDC_ALT, alt ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(d, IDC_SHIFT, shift ? BST_CHECKED : BST_UNCHECKED);
  HWND combo = ::GetDlgItem(d, IDC_KEY);
  if (*key)
    ::SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(key));
  else
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

class EditHotkeyDlgTest : public SettingsDialogTest {
 protected:
  // Runs the dialog for a command; act() works it and ends it.
  INT_PTR Run(uint32_t messageId, std::function<void(HWND)> act) {
    CEditHotkeyDlg dialog(messageId, m_commands, m_accelerator, m_prompt);
    CBoxAnswerer answer(act, 0);
    const INT_PTR result = dialog.DoModal(m_main.Handle());
    EXPECT_TRUE(answer.Answered());
    return result;
  }
  // The user's choice, then a button: the dialog's end code.
  INT_PTR ChooseAndPress(uint32_t messageId, bool ctrl, bool alt, bool shift, const wchar_t* key,
                         int button) {
    return Run(messageId, [=](HWND d) {
      Choose(d, ctrl, alt, shift, key);
      ::PostMessageW(d, WM_COMMAND, button, 0);
    });
  }
  SHOWN Shown(uint32_t messageId) {
    SHOWN s;
    Run(messageId, [&](HWND d) {
      s = ReadDialog(d);
      ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    return s;
  }
};

TEST_F(EditHotkeyDlgTest, OpensWithTheStoredHotkeyOrTheDefault) {
  m_store.PutDword(kHotkeysPath, u"1141", kShiftF5);
  m_store.PutDword(kHotkeysPath, u"1143", 0);
  m_store.PutDword(kHotkeysPath, u"1144", 0x300E0);  // a key the list does not have
  const struct {
    uint32_t id;
    SHOWN shown;
  } cases[] = {
      {kShowMain, {L"Show Main Window", true, true, false, L"A"}},
      {kShowClip, {L"Show Clip Window", true, true, false, L"0"}},
      {1128, {L"Smart Make Object First Item", true, true, false, L"Numpad *"}},
      {kPreviewFirst, {L"Preview First Item", false, false, true, L"F5"}},
      {1143, {L"Bookmark First Item", false, false, false, L"(None)"}},
      {1144, {L"Activate First Bookmark", true, true, false, L""}},
      // No default and nothing stored.
      {1126, {L"Uppercase First Item", false, false, false, L"(None)"}},
      // An id the table does not know: no name, no hotkey.
      {4242, {L"", false, false, false, L"(None)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    const SHOWN s = Shown(c.id);
    EXPECT_EQ(s.name, c.shown.name);
    EXPECT_EQ(s.ctrl, c.shown.ctrl);
    EXPECT_EQ(s.alt, c.shown.alt);
    EXPECT_EQ(s.shift, c.shown.shift);
    EXPECT_EQ(s.key, c.shown.key);
    EXPECT_EQ(s.entries, 67);
  }
  // Cancel wrote nothing.
  EXPECT_EQ(StoredHotkey(kShowMain), -1);
}

TEST_F(EditHotkeyDlgTest, TheKeyListIsTheKeyTableInItsOrderWithTheCodes) {
  const std::vector<uint16_t> keys = CHotkey().GetKeys();
  std::vector<LPARAM> codes;
  std::vector<std::wstring> names;
  Run(kShowMain, [&](HWND d) {
    HWND combo = ::GetDlgItem(d, IDC_KEY);
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      codes.push_back(::SendMessageW(combo, CB_GETITEMDATA, i, 0));
      wchar_t text[64] = {};
      ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      names.push_back(text);
    }
    ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_EQ(codes.size(), keys.size());
  CHotkey hotkey;
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(codes[i], keys[i]) << i;
    CString16 name;
    hotkey.GetKeyName(keys[i], name);
    EXPECT_EQ(names[i], std::wstring(name.begin(), name.end())) << i;
  }
  EXPECT_EQ(names.front(), L"(None)");
}

TEST_F(EditHotkeyDlgTest, OkStoresAndRegistersTheChoiceAtOnce) {
  const struct {
    const char* what;
    uint32_t id;
    bool ctrl, alt, shift;
    const wchar_t* key;
    uint32_t stored;
  } cases[] = {
      {"(None) with Ctrl gives no hotkey", kShowMain, true, false, false, L"(None)", 0},
      {"no entry selected gives no hotkey", kShowMain, true, true, false, L"", 0},
      {"a plain key without modifiers", kPreviewFirst, false, false, false, L"F5", 0x74},
      {"all three modifiers", kEditFirst, true, true, true, L"Page Down", 0x70022},
      {"unchanged: the default becomes a stored value", kShowMain, true, true, false, L"A",
       kCtrlAltA},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStore();
    const uint32_t old = CApplicationRegistry().GetHotkey(c.id);
    m_accelerator.AddHotkeyMessageID(old, c.id);
    EXPECT_EQ(ChooseAndPress(c.id, c.ctrl, c.alt, c.shift, c.key, IDOK), IDOK);
    EXPECT_TRUE(m_prompt.m_asked.empty());
    EXPECT_EQ(StoredHotkey(c.id), int64_t{c.stored});
    ASSERT_TRUE(m_accelerator.ContainsMessageID(c.stored));
    EXPECT_EQ(m_accelerator.GetMessageID(c.stored), c.id);
    if (old != c.stored) {
      EXPECT_FALSE(m_accelerator.ContainsMessageID(old));
    }
    EXPECT_EQ(m_accelerator.IsRegistered(c.stored), c.stored != 0);
  }
}

TEST_F(EditHotkeyDlgTest, TakingAnotherCommandsHotkeyAsksFirst) {
  const wchar_t kAsked[] =
      L"This Hotkey Configuration is assigned to 'Show Clip Window' command.\n"
      L"Do you want to overwrite it?";
  // No: nothing changes and the dialog stays open with the choice in it.
  m_prompt.m_answers = {IDNO};
  bool bStillOpen = false;
  SHOWN afterNo;
  EXPECT_EQ(Run(kEditFirst,
                [&](HWND d) {
                  Choose(d, true, true, false, L"0");
                  ::SendMessageW(d, WM_COMMAND, IDOK, 0);
                  bStillOpen = ::IsWindowVisible(d) != FALSE;
                  afterNo = ReadDialog(d);
                  ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
                }),
            IDCANCEL);
  ASSERT_EQ(m_prompt.m_asked.size(), 1u);
  EXPECT_EQ(m_prompt.m_asked[0].text, kAsked);
  EXPECT_EQ(m_prompt.m_asked[0].type & 0xF, UINT{MB_YESNO});
  EXPECT_TRUE(bStillOpen);
  EXPECT_EQ(afterNo.key, L"0");
  EXPECT_TRUE(afterNo.ctrl && afterNo.alt);
  EXPECT_EQ(StoredHotkey(kShowClip), -1);
  EXPECT_EQ(StoredHotkey(kEditFirst), -1);
  EXPECT_EQ(m_accelerator.GetMessageID(kCtrlAlt0), kShowClip);

  // Yes: the other command loses its hotkey, and the combination is ours.
  m_prompt.m_asked.clear();
  m_prompt.m_answers = {IDYES};
  EXPECT_EQ(ChooseAndPress(kEditFirst, true, true, false, L"0", IDOK), IDOK);
  ASSERT_EQ(m_prompt.m_asked.size(), 1u);
  EXPECT_EQ(StoredHotkey(kShowClip), 0);
  EXPECT_EQ(StoredHotkey(kEditFirst), int64_t{kCtrlAlt0});
  EXPECT_EQ(m_accelerator.GetMessageID(kCtrlAlt0), kEditFirst);
  EXPECT_TRUE(m_accelerator.IsRegistered(kCtrlAlt0));

  // The combination now fires the new command only.
  m_main.m_messages.clear();
  PressKeys({VK_CONTROL, VK_MENU, '0'});
  ASSERT_TRUE(WaitFor([&] { return !m_main.m_messages.empty(); }));
  PumpFor(100);
  EXPECT_EQ(m_main.m_messages, std::vector<UINT>{kEditFirst});
}

TEST_F(EditHotkeyDlgTest, CancelAfterAChangeChangesNothing) {
  EXPECT_EQ(ChooseAndPress(kShowMain, false, false, true, L"F5", IDCANCEL), IDCANCEL);
  EXPECT_EQ(StoredHotkey(kShowMain), -1);
  EXPECT_EQ(m_accelerator.GetMessageID(kCtrlAltA), kShowMain);
  EXPECT_FALSE(m_accelerator.ContainsMessageID(kShiftF5));
}

TEST_F(EditHotkeyDlgTest, ItsOwnHotkeyAsksNothing) {
  EXPECT_EQ(ChooseAndPress(kShowClip, true, true, false, L"0", IDOK), IDOK);
  EXPECT_TRUE(m_prompt.m_asked.empty());
  EXPECT_EQ(m_accelerator.GetMessageID(kCtrlAlt0), kShowClip);
}

TEST_F(EditHotkeyDlgTest, AHotkeyHeldByAnotherProgramIsStoredButCannotFire) {
  CNoticeWindow other;
  ASSERT_TRUE(::RegisterHotKey(other.Handle(), 7, MOD_CONTROL | MOD_ALT, VK_F9));
  const uint32_t kCtrlAltF9 = 0x30078;
  EXPECT_EQ(ChooseAndPress(kPreviewFirst, true, true, false, L"F9", IDOK), IDOK);
  EXPECT_TRUE(m_prompt.m_asked.empty());
  EXPECT_EQ(StoredHotkey(kPreviewFirst), int64_t{kCtrlAltF9});
  EXPECT_EQ(m_accelerator.GetMessageID(kCtrlAltF9), kPreviewFirst);
  EXPECT_FALSE(m_accelerator.IsRegistered(kCtrlAltF9));
  ::UnregisterHotKey(other.Handle(), 7);
}

}  // namespace
