#pragma once
// A history over the in-memory clipboard and settings, shown by a list view in
// a host window, with a prompt that answers in the user's place.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/tests/DocFixture.h"
#include "tests/support/WinTestSupport.h"
#include "views/tests/ViewHost.h"

// A key as the local tables see it: the modifiers down in the thread's key
// state while the key-down reaches the list.
struct KEY_PRESS {
  bool ctrl, shift;
  WORD vk;
};

// A message box as the tests note it: its text and its type.
inline std::wstring Box(const wchar_t* text, UINT type) {
  return text + (L" #" + std::to_wstring(type));
}

// The history is written and read as the document's tests do ("c|b*|a").
class ViewTest : public DocTest {
 protected:
  CRecordingPrompt m_prompt;
  std::unique_ptr<CViewHost> m_host;

  void SetUp() override {
    DocTest::SetUp();
    CListView::InitCommonControls();
    // 09:05:07 on 3 February 2026, in a zone one hour east of UTC.
    m_text.m_tNow = 1770109507 - 3600;
    m_text.m_nZoneOffsetSeconds = 3600;
    m_host = std::make_unique<CViewHost>(*m_doc, m_text, m_prompt);
    ASSERT_TRUE(m_host->Create(L"view test", false));
  }
  void TearDown() override {
    m_host.reset();
    DocTest::TearDown();
  }

  CTanselListView& View() { return m_host->View(); }
  CListView List() { return CListView(View().ListHandle()); }

  // A new history, and no boxes asked yet.
  void Fill(const std::string& history) {
    DocTest::Fill(history);
    m_prompt.m_asked.clear();
  }
  // The boxes asked, as Box writes them.
  std::vector<std::wstring> Asked() const {
    std::vector<std::wstring> asked;
    for (const auto& a : m_prompt.m_asked) asked.push_back(Box(a.text.c_str(), a.type));
    return asked;
  }

  void Select(const CIndexArray& rows) {
    CListView list = List();
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
      list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (!rows.empty()) list.SetSelectionMark(rows.front());
  }
  CIndexArray Selected() { return List().GetSelectedIndexes(); }
  int Focused() { return List().GetNextItem(-1, LVNI_FOCUSED); }

  // A main-menu command as the frame passes it on.
  void MenuCommand(UINT id) { m_host->Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // A context popup's command, which the popup sends to the view.
  void PopupCommand(UINT id) { View().Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Press(KEY_PRESS key) {
    PostKeyWithModifiers(View().ListHandle(), key.vk, key.ctrl, key.shift);
  }
  // Runs open() while act answers the dialog it brings up, from a helper
  // thread; whether a dialog came.
  bool WithDialog(std::function<void(HWND)> act, const std::function<void()>& open) {
    CBoxAnswerer answer(std::move(act), 0);
    open();
    return answer.Answered();
  }
};
