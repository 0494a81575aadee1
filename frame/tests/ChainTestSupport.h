#pragma once
// The frame in the real (Wine) viewer chain with test viewers of our own in
// it: what each member hears, and what the history captures, in one log.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/tests/HistoryTexts.h"
#include "frame/MainFrame.h"
#include "frame/PrivateMessages.h"
#include "settings/win/tests/DialogFixture.h"
#include "ui/ClipboardWin32.h"
#include "ui/TextServicesWin32.h"

inline std::vector<std::string> g_log;

inline std::string Narrow(HWND h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

inline bool LogHas(const std::string& s) {
  return std::find(g_log.begin(), g_log.end(), s) != g_log.end();
}

// A well-behaved member of the chain that logs what reaches it.
class CTestViewer : public CWindow {
 public:
  explicit CTestViewer(const char* name) : m_name(name) {
    Create(TestWindowClass(), L"viewer", WS_OVERLAPPED, 0, 0, 0, 10, 10);
    m_hNext = ::SetClipboardViewer(m_hWnd);
  }
  ~CTestViewer() override { Leave(); }
  void Leave() {
    if (std::exchange(m_bIn, false)) ::ChangeClipboardChain(m_hWnd, m_hNext);
  }
  HWND m_hNext = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const HWND removed = reinterpret_cast<HWND>(wParam);
    if (message == WM_DRAWCLIPBOARD) {
      g_log.push_back(m_name + ":draw");
    } else if (message == WM_CHANGECBCHAIN) {
      g_log.push_back(m_name + ":chain(" + Narrow(removed) + "," +
                      Narrow(reinterpret_cast<HWND>(lParam)) + ")");
      if (removed == m_hNext) return m_hNext = reinterpret_cast<HWND>(lParam), 0;
    } else {
      return Default(message, wParam, lParam);
    }
    if (m_hNext) ::SendMessageW(m_hNext, message, wParam, lParam);
    return 0;
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

// Lets tests put the chain link where the system would not, and records the
// private messages that reach the frame, with their wParam.
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

using V = std::vector<std::u16string>;

class ChainTest : public AppServicesTest {
 protected:
  CClipboardWin32 m_clip;
  CTextServicesWin32 m_text;
  CRecordingKeyEvents m_keyEvents;
  std::unique_ptr<CTanselDoc> m_doc;
  CCaptureLog m_capture;
  std::unique_ptr<CTestFrame> m_frame;

  void SetUp() override {
    AppServicesTest::SetUp();
    m_doc = std::make_unique<CTanselDoc>(m_clip, m_text);
    m_capture.pDoc = m_doc.get();
    m_doc->AddView(&m_capture);
    PumpFor(50);
    g_log.clear();
  }
  void TearDown() override {
    m_frame.reset();
    PumpFor(20);
    m_doc.reset();
    AppServicesTest::TearDown();
  }
  std::unique_ptr<CTestFrame> MakeFrame() {
    auto p = std::make_unique<CTestFrame>(
        FRAME_SERVICES{*m_doc, m_accelerator, m_text, m_prompt, m_keyEvents, m_commands});
    EXPECT_TRUE(p->Create());
    return p;
  }
  // Copies made by another program, each waited for; the last is the newest.
  void Copy(std::initializer_list<const wchar_t*> texts) {
    for (const wchar_t* text : texts) {
      const int n = m_doc->GetItemCount();
      ASSERT_TRUE(PutRawText(text));
      ASSERT_TRUE(WaitFor([&] { return m_doc->GetItemCount() == n + 1; })) << "not captured";
    }
  }
  V Texts() const { return HistoryTexts(*m_doc); }
};

// With the frame made at the start.
class FrameTest : public ChainTest {
 protected:
  void SetUp() override {
    ChainTest::SetUp();
    m_frame = MakeFrame();
  }
};
