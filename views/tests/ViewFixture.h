#pragma once
// A history over the in-memory clipboard and settings, shown by a list view in
// a host window, with a prompt that answers in the user's place.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/tests/FakeClipboard.h"
#include "core/tests/FixedClock.h"
#include "core/tests/HistoryTexts.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"
#include "tests/support/WinTestSupport.h"
#include "views/tests/ViewHost.h"

// A key as the local tables see it: the modifiers down in the thread's key
// state while the key-down reaches the list.
struct KEY_PRESS {
  bool ctrl, shift;
  WORD vk;
};

class ViewTest : public ::testing::Test {
 protected:
  CMemoryKeyStore m_store;
  CFakeClipboard m_clip;
  CFixedClockServices m_text;
  CRecordingPrompt m_prompt;
  std::unique_ptr<CTanselDoc> m_doc;
  std::unique_ptr<CViewHost> m_host;

  void SetUp() override {
    CListView::InitCommonControls();
    SetSettingsPlatform(&m_store, nullptr);
    // 09:05:07 on 3 February 2026, in a zone one hour east of UTC.
    m_text.m_tNow = 1770109507 - 3600;
    m_text.m_nZoneOffsetSeconds = 3600;
    m_doc = std::make_unique<CTanselDoc>(m_clip, m_text);
    m_clip.m_fnViewer = [this] { m_doc->CaptureClipboard(); };
    m_host = std::make_unique<CViewHost>(*m_doc, m_text, m_prompt);
    ASSERT_TRUE(m_host->Create(L"view test", false));
  }
  void TearDown() override {
    m_host.reset();
    m_doc.reset();
    SetSettingsPlatform(nullptr, nullptr);
  }

  CTanselListView& View() { return m_host->View(); }
  CListView List() { return CListView(View().ListHandle()); }

  // Fills the history so that index 0 holds the first text given, each item
  // created at the fixed clock's time.
  void Fill(std::initializer_list<const char16_t*> texts) {
    std::vector<const char16_t*> v(texts);
    for (auto it = v.rbegin(); it != v.rend(); ++it) {
      m_clip.SetUnicode(*it);
      m_doc->CaptureClipboard();
    }
    for (int i = 0; i < m_doc->GetItemCount(); ++i) m_doc->GetItem(i)->tCreated = m_text.m_tNow;
    m_doc->NotifyChange(-1);
    m_prompt.m_asked.clear();
  }
  std::vector<std::u16string> Texts() const { return HistoryTexts(*m_doc); }

  void Select(const CIndexArray& rows) {
    CListView list = List();
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
      list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (!rows.empty()) list.SetSelectionMark(rows.front());
  }
  CIndexArray Selected() { return List().GetSelectedIndexes(); }

 public:
  // A main-menu command as the frame passes it on.
  void MenuCommand(UINT id) { m_host->Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // A context popup's command, which the popup sends to the view.
  void PopupCommand(UINT id) { View().Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Press(KEY_PRESS key) {
    BYTE saved[256], state[256] = {};
    ::GetKeyboardState(saved);
    if (key.ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (key.shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(state);
    ::PostMessageW(View().ListHandle(), WM_KEYDOWN, key.vk, 1);
    PumpMessages();
    ::SetKeyboardState(saved);
  }
};

using V = std::vector<std::u16string>;
