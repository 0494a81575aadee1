// "Hotkey Edit" run modally on the test's thread and worked from a helper
// thread as a user would: ticking boxes, choosing a key, pressing a button.
// Catches: a hotkey dialog that shows or stores the wrong value, lists keys with the wrong codes,
// takes a combination from another command without asking or names the wrong one in the
// question, or leaves an old registration behind over several edits.
#include "settings/ApplicationRegistry.h"
#include "settings/win/EditHotkeyDlg.h"
#include "settings/win/tests/DialogFixture.h"

namespace {

const uint32_t kShowMain = 1025, kShowClip = 1026, kEditFirst = 1142, kPreviewFirst = 1141;
const uint32_t kCtrlAlt0 = 0x30030;

using EditHotkeyDlgTest = SettingsDialogTest;

TEST_F(EditHotkeyDlgTest, OpensWithTheStoredOrDefaultHotkeyOkStoresAndRegistersTheChoiceAtOnce) {
  const struct {
    const char* what;
    uint32_t id;
    const wchar_t* shown;  // at the start
    bool ctrl, alt, shift;
    const wchar_t* key;
    int button;
    int64_t stored;  // -1: nothing stored
    bool bHeldElsewhere = false;
  } cases[] = {
      {"(None) with Ctrl gives no hotkey", kShowMain, L"Show Main Window: CA- A", true, false,
       false, L"(None)", IDOK, 0},
      {"no entry selected gives no hotkey; a stored key not listed selects none", 1144,
       L"Activate First Bookmark: CA- ", true, true, false, L"", IDOK, 0},
      {"a plain key without modifiers", kPreviewFirst, L"Preview First Item: --S F5", false, false,
       false, L"F5", IDOK, 0x74},
      {"all three modifiers", kEditFirst, L"Edit First Item: --- (None)", true, true, true,
       L"Page Down", IDOK, 0x70022},
      {"its own hotkey: no question, and stored", kShowClip, L"Show Clip Window: CA- 0", true, true,
       false, L"0", IDOK, kCtrlAlt0},
      {"Cancel after a change; not in the table: no name, no hotkey", 4242, L": --- (None)", false,
       false, true, L"F5", IDCANCEL, -1},
      {"held by another program: stored, not registered", 1143, L"Bookmark First Item: --- (None)",
       true, true, false, L"F9", IDOK, 0x30078, true},
  };
  CNoticeWindow other;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetStore();
    m_oStore.PutDword(kHotkeysPath, u"1141", 0x40074);
    m_oStore.PutDword(kHotkeysPath, u"1143", 0);
    m_oStore.PutDword(kHotkeysPath, u"1144", 0x300E0);  // a key the list does not have
    m_prompt.m_asked.clear();
    if (c.bHeldElsewhere) {
      ASSERT_TRUE(::RegisterHotKey(other.Handle(), 7, MOD_CONTROL | MOD_ALT, VK_F9));
    }
    const uint32_t old = CApplicationRegistry().GetHotkey(c.id);
    m_accelerator.AddHotkeyMessageID(old, c.id);
    std::wstring shown;
    EXPECT_EQ(Run(CEditHotkeyDlg(c.id, m_commands, m_accelerator, m_prompt),
                  [&](HWND d) {
                    shown = HotkeyShown(d);
                    Choose(d, c.ctrl, c.alt, c.shift, c.key);
                    ::PostMessageW(d, WM_COMMAND, c.button, 0);
                  }),
              c.button);
    EXPECT_EQ(shown, c.shown);
    ::UnregisterHotKey(other.Handle(), 7);
    EXPECT_TRUE(m_prompt.m_asked.empty());
    EXPECT_EQ(StoredHotkey(c.id), c.stored);
    const uint32_t now = c.stored < 0 ? old : static_cast<uint32_t>(c.stored);
    EXPECT_EQ(m_accelerator.GetMessageID(now), c.id);
    EXPECT_EQ(!!m_accelerator.ContainsMessageID(old), old == now) << "the old registration stays";
    EXPECT_EQ(m_accelerator.IsRegistered(now), now != 0 && !c.bHeldElsewhere);
    if (c.stored < 0) {
      EXPECT_FALSE(m_accelerator.ContainsMessageID(0x40074)) << "Cancel registered the choice";
    }
  }
}

TEST_F(EditHotkeyDlgTest, ACombinationPassesBetweenCommandsOnlyWhenTheUserAgrees) {
  const uint32_t A = kShowClip, B = kEditFirst, C = kPreviewFirst, X = kCtrlAlt0;
  const struct {
    const char* what;
    uint32_t id;
    bool bTakesX;          // Ctrl + Alt + 0, or (None)
    int answer;            // 0: no question expected
    const wchar_t* named;  // the command the question names
    int64_t stored[3];     // A, B, C; -1: nothing stored
    uint32_t holder;       // the command X fires; 0: X is free
  } steps[] = {
      {"B asks for A's and is told no", B, true, IDNO, L"Show Clip Window", {-1, -1, -1}, A},
      {"B takes A's", B, true, IDYES, L"Show Clip Window", {0, X, -1}, B},
      {"A takes it back", A, true, IDYES, L"Edit First Item", {X, 0, -1}, A},
      {"B, which lost it, is set to none", B, false, 0, nullptr, {X, 0, -1}, A},
      {"A is set to none", A, false, 0, nullptr, {0, 0, -1}, 0},
      {"C takes the free combination", C, true, 0, nullptr, {0, 0, X}, C},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    m_prompt.m_asked.clear();
    m_prompt.m_answers = {s.answer ? s.answer : IDYES};
    std::wstring afterOk;
    const INT_PTR result =
        Run(CEditHotkeyDlg(s.id, m_commands, m_accelerator, m_prompt), [&](HWND d) {
          Choose(d, s.bTakesX, s.bTakesX, false, s.bTakesX ? L"0" : L"(None)");
          ::SendMessageW(d, WM_COMMAND, IDOK, 0);
          if (!::IsWindowVisible(d)) return;
          // Declined: the dialog stays open with the choice in it.
          afterOk = HotkeyShown(d);
          ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(result, s.answer == IDNO ? IDCANCEL : IDOK);
    EXPECT_EQ(afterOk, s.answer == IDNO ? L"Edit First Item: CA- 0" : L"");
    if (s.answer) {
      ASSERT_EQ(m_prompt.m_asked.size(), 1u);
      EXPECT_EQ(m_prompt.m_asked[0].text, L"This Hotkey Configuration is assigned to '" +
                                              std::wstring(s.named) +
                                              L"' command.\nDo you want to overwrite it?");
      EXPECT_EQ(m_prompt.m_asked[0].type & 0xF, UINT{MB_YESNO});
    } else {
      EXPECT_TRUE(m_prompt.m_asked.empty());
    }
    EXPECT_EQ(std::vector<int64_t>({StoredHotkey(A), StoredHotkey(B), StoredHotkey(C)}),
              std::vector<int64_t>(s.stored, s.stored + 3));
    EXPECT_EQ(m_accelerator.GetMessageID(X), s.holder);
    EXPECT_EQ(m_accelerator.IsRegistered(X), s.holder != 0);
  }
}

}  // namespace
