#pragma once
// What the settings dialogs' tests and the frame's share: an in-memory store,
// the command table, the global accelerator (for the dialogs on a window of
// the test), a prompt that answers in the user's place, and the hotkey edit
// dialog read and worked as the user sees it.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/CommandTable.h"
#include "settings/Hotkey.h"
#include "settings/tests/SettingsTestSupport.h"
#include "settings/win/KeyboardAccelerator.h"
#include "tests/support/WinTestSupport.h"
#include "ui/Dialog.h"
#include "ui/ListView.h"
#include "ui/Window.h"

// Stands in for the main window: receives hotkeys and records the private
// messages; an accelerator set on it hears its WM_HOTKEY.
class CNoticeWindow : public CWindow {
 public:
  std::vector<UINT> m_messages;
  CKeyboardAccelerator* m_pAccelerator = nullptr;
  CNoticeWindow() { Create(TestWindowClass(), L"main", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HOTKEY && m_pAccelerator) return m_pAccelerator->OnHotkey(wParam), 0;
    if (message < WM_USER || message >= 0x8000) return Default(message, wParam, lParam);
    m_messages.push_back(message);
    return 0;
  }
};

// The settings over the in-memory store with what the program's windows are
// handed at start: the command table, the global accelerator and a prompt
// that answers in the user's place.
class AppServicesTest : public SettingsTest {
 protected:
  CKeyboardAccelerator m_accelerator;
  std::map<uint32_t, MESSAGE_DESCRIPTION> m_commands;
  CRecordingPrompt m_prompt;
  void SetUp() override {
    SettingsTest::SetUp();
    CListView::InitCommonControls();
    BuildCommandTable(m_commands);
  }
};

class SettingsDialogTest : public AppServicesTest {
 protected:
  CNoticeWindow m_main;

  // An empty store but for the Run key, which the system always has (and
  // the settings never create), holding another program's entry.
  void ResetStore() {
    m_oStore.Clear();
    m_oStore.PutValue(kRunPath, u"Other", kRegSz, {'o', 0, 0, 0});
  }
  void SetUp() override {
    AppServicesTest::SetUp();
    ResetStore();
    m_accelerator.SetMainWindow(m_main.Handle());
    m_main.m_pAccelerator = &m_accelerator;
    // As start-up registers them.
    for (const auto& entry : m_commands)
      m_accelerator.AddHotkeyMessageID(GetDefaultHotkey(entry.first), entry.first);
  }
  void TearDown() override {
    m_accelerator.SetMainWindow(nullptr);
    AppServicesTest::TearDown();
  }
  int64_t StoredHotkey(uint32_t messageId) const {
    return StoredDword(m_oStore, kHotkeysPath, Utf16FromUtf8(std::to_string(messageId)));
  }
  // Runs the dialog over the main window; act() works it from a helper
  // thread and ends it.
  INT_PTR Run(CDialog&& dialog, std::function<void(HWND)> act) {
    m_main.m_messages.clear();
    CBoxAnswerer answer(act, 0);
    const INT_PTR result = dialog.DoModal(m_main.Handle());
    EXPECT_TRUE(answer.Answered());
    PumpFor(20);
    return result;
  }
};

// The dialog as shown: "name: CAS key", a dash for a modifier not ticked, the
// key empty when none is selected; "!" added when the key list's item data
// are not the key table's codes in its order.
inline std::wstring HotkeyShown(HWND d) {
  HWND combo = ::GetDlgItem(d, IDC_KEY);
  std::vector<uint16_t> keys;
  for (LRESULT i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i)
    keys.push_back(static_cast<uint16_t>(::SendMessageW(combo, CB_GETITEMDATA, i, 0)));
  wchar_t key[64] = {};
  ::SendMessageW(combo, CB_GETLBTEXT, ::SendMessageW(combo, CB_GETCURSEL, 0, 0),
                 reinterpret_cast<LPARAM>(key));
  return ItemText(d, IDC_COMMAND_NAME) + L": " + (Checked(d, IDC_CTRL) ? L"C" : L"-") +
         (Checked(d, IDC_ALT) ? L"A" : L"-") + (Checked(d, IDC_SHIFT) ? L"S " : L"- ") + key +
         (keys == CHotkey().GetKeys() ? L"" : L"!");
}

// Sets the controls as the user would leave them; key "" selects nothing.
inline void Choose(HWND d, bool ctrl, bool alt, bool shift, const wchar_t* key) {
  ::CheckDlgButton(d, IDC_CTRL, ctrl ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(d, IDC_ALT, alt ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(d, IDC_SHIFT, shift ? BST_CHECKED : BST_UNCHECKED);
  HWND combo = ::GetDlgItem(d, IDC_KEY);
  if (*key)
    ::SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(key));
  else
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}
