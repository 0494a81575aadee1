#pragma once
// The frame in the real (Wine) viewer chain with test viewers of our own in
// it: what each member hears, and what the history captures, in one log.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/MainFrame.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"
#include "tests/support/WinTestSupport.h"
#include "ui/ClipboardWin32.h"
#include "ui/TextServicesWin32.h"

inline std::vector<std::string> g_log;

inline std::string Narrow(HWND h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

// A well-behaved member of the chain that logs what reaches it.
class CTestViewer : public CWindow {
 public:
  explicit CTestViewer(const char* name) : m_name(name) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"TanselTestViewer";
    RegisterClass(wc);
    Create(L"TanselTestViewer", L"viewer", WS_OVERLAPPED, 0, 0, 0, 10, 10);
    m_hNext = ::SetClipboardViewer(m_hWnd);
  }
  ~CTestViewer() override { Leave(); }
  void Leave() {
    if (m_bIn) ::ChangeClipboardChain(m_hWnd, m_hNext);
    m_bIn = false;
  }
  HWND m_hNext = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_DRAWCLIPBOARD:
        g_log.push_back(m_name + ":draw");
        if (m_hNext) ::SendMessageW(m_hNext, message, wParam, lParam);
        return 0;
      case WM_CHANGECBCHAIN:
        g_log.push_back(m_name + ":chain(" + Narrow(reinterpret_cast<HWND>(wParam)) + "," +
                        Narrow(reinterpret_cast<HWND>(lParam)) + ")");
        if (reinterpret_cast<HWND>(wParam) == m_hNext)
          m_hNext = reinterpret_cast<HWND>(lParam);
        else if (m_hNext)
          ::SendMessageW(m_hNext, message, wParam, lParam);
        return 0;
    }
    return Default(message, wParam, lParam);
  }

 private:
  std::string m_name;
  bool m_bIn = true;
};

// Logs the head item at every whole-list notice: captures and activations.
class CCaptureLog : public IHistoryView {
 public:
  CTanselDoc* pDoc = nullptr;
  void OnUpdate(int nHint) override {
    if (nHint == 0 && pDoc->GetItemCount() > 0)
      g_log.push_back("capture:" + Utf8FromUtf16(pDoc->GetItem(0)->strText));
  }
};

// Exposes the chain members so that tests can put the link where the system
// would not.
// It also records the private messages that reach it, with their wParam.
class CTestFrame : public CMainFrame {
 public:
  using CMainFrame::CMainFrame;
  void SetNextViewer(HWND h) { m_hWndNextViewer = h; }
  BOOL IsJoining() const { return m_bJoiningChain; }
  std::vector<std::pair<UINT, WPARAM>> m_private;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_USER && message < 0x8000) m_private.push_back({message, wParam});
    return CMainFrame::WindowProc(message, wParam, lParam);
  }
};

// The change notices and captures, in order; chain notices left out.
inline std::vector<std::string> DrawsAndCaptures() {
  std::vector<std::string> v;
  for (auto& e : g_log)
    if (e.find(":chain(") == std::string::npos) v.push_back(e);
  return v;
}

inline bool LogHas(const std::string& s) {
  for (auto& e : g_log)
    if (e == s) return true;
  return false;
}

// A copy made by "another program": written with the raw API, no skip flag.
inline void CopyText(const wchar_t* text) { ASSERT_TRUE(PutRawText(text)); }

class ChainTest : public ::testing::Test {
 protected:
  CMemoryKeyStore m_store;
  CClipboardWin32 m_clip;
  CTextServicesWin32 m_text;
  CKeyboardAccelerator m_accelerator;
  CRecordingPrompt m_prompt;
  CRecordingKeyEvents m_keyEvents;
  std::map<uint32_t, MESSAGE_DESCRIPTION> m_mapCommands;
  std::unique_ptr<CTanselDoc> m_doc;
  CCaptureLog m_capture;

  void SetUp() override {
    CListView::InitCommonControls();
    SetSettingsPlatform(&m_store, nullptr);
    BuildCommandTable(m_mapCommands);
    m_doc = std::make_unique<CTanselDoc>(m_clip, m_text);
    m_capture.pDoc = m_doc.get();
    m_doc->AddView(&m_capture);
    PumpFor(50);
    g_log.clear();
  }
  void TearDown() override {
    PumpFor(20);
    m_doc.reset();
    SetSettingsPlatform(nullptr, nullptr);
  }
  std::unique_ptr<CTestFrame> MakeFrame() {
    auto p = std::make_unique<CTestFrame>(
        FRAME_SERVICES{*m_doc, m_accelerator, m_text, m_prompt, m_keyEvents, m_mapCommands});
    EXPECT_TRUE(p->Create());
    return p;
  }
};
