// The window base: creation, dispatch to the derived class, the exception
// barrier, the final message, and the pre-translation walk of the loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"

namespace {

enum : UINT {
  WM_TEST_ANSWER = WM_APP + 1,
  WM_TEST_THROW_STD = WM_APP + 2,
  WM_TEST_THROW_OTHER = WM_APP + 3,
};

class CTestWindow : public CWindow {
 public:
  explicit CTestWindow(std::vector<std::string>* pLog = nullptr, const char* name = "")
      : m_pLog(pLog), m_name(name) {}

  bool Create(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    return CWindow::Create(TestWindowClass(), L"test", style, 0, 10, 10, 200, 150, parent);
  }

  bool m_bConsumeKeys = false;
  bool m_bThrowInFilter = false;
  HWND m_hWndAtCreate = nullptr;
  int m_nFinalMessages = 0;
  int m_nKeyDowns = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE:
        m_hWndAtCreate = m_hWnd;
        return 0;
      case WM_TEST_ANSWER:
        return static_cast<LRESULT>(wParam) * 2;
      case WM_TEST_THROW_STD:
        throw std::out_of_range("no such item");
      case WM_TEST_THROW_OTHER:
        throw 42;
      case WM_KEYDOWN:
        Log("dispatched");
        ++m_nKeyDowns;
        return 0;
    }
    return Default(message, wParam, lParam);
  }

  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    Log("filter");
    if (m_bThrowInFilter) throw std::runtime_error("filter");
    return m_bConsumeKeys;
  }

  void OnFinalMessage() override { ++m_nFinalMessages; }

 private:
  void Log(const char* what) {
    if (m_pLog) m_pLog->push_back(m_name + " " + what);
  }

  std::vector<std::string>* m_pLog;
  std::string m_name;
};

TEST(WindowTest, CreationBindsTheObjectBeforeWmCreate) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  EXPECT_NE(window.Handle(), nullptr);
  EXPECT_EQ(window.m_hWndAtCreate, window.Handle());
  EXPECT_EQ(CWindowBase::FromHandle(window.Handle()), &window);
  EXPECT_FALSE(window.Create());  // one window per object
}

TEST(WindowTest, ClassesOfOtherProceduresAreRefused) {
  CTestWindow window;
  EXPECT_FALSE(window.CreateChild(L"STATIC", L"", 0, 0, 0, 10, 10, ::GetDesktopWindow(), 1));
  EXPECT_EQ(window.Handle(), nullptr);
}

TEST(WindowTest, MessagesReachTheOverride) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(window.Send(WM_TEST_ANSWER, 21), 42);
  // Messages the override does not handle get the default processing.
  EXPECT_TRUE(::SetWindowTextW(window.Handle(), L"renamed"));
  wchar_t title[32] = {};
  ::GetWindowTextW(window.Handle(), title, 32);
  EXPECT_STREQ(title, L"renamed");
}

TEST(WindowTest, ExceptionsEndTheMessageQuietly) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  for (UINT message : {UINT(WM_TEST_THROW_STD), UINT(WM_TEST_THROW_OTHER)}) {
    EXPECT_EQ(window.Send(message), 0);
    EXPECT_TRUE(::IsWindow(window.Handle()));
    EXPECT_EQ(window.Send(WM_TEST_ANSWER, 5), 10);  // the window goes on working
  }
  // Posted messages go through the loop and the same barrier.
  window.Post(WM_TEST_THROW_STD);
  EXPECT_TRUE(PumpMessages());
}

TEST(WindowTest, DestroyEndsWithTheFinalMessage) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  HWND hWnd = window.Handle();
  window.Destroy();
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(window.m_nFinalMessages, 1);
  EXPECT_EQ(CWindowBase::FromHandle(hWnd), nullptr);
}

TEST(WindowTest, ObjectDestructionDestroysTheWindow) {
  HWND hWnd;
  {
    CTestWindow window;
    ASSERT_TRUE(window.Create());
    hWnd = window.Handle();
  }
  EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(WindowTest, ChildWindowsCarryParentAndId) {
  CTestWindow parent;
  ASSERT_TRUE(parent.Create());
  CTestWindow child;
  ASSERT_TRUE(child.CreateChild(TestWindowClass(), L"child", WS_VISIBLE, 0, 0, 50, 50,
                                parent.Handle(), 77));
  EXPECT_EQ(::GetParent(child.Handle()), parent.Handle());
  EXPECT_EQ(::GetDlgCtrlID(child.Handle()), 77);
  EXPECT_EQ(parent.Item(77), child.Handle());
  parent.Destroy();  // takes the child along
  EXPECT_EQ(child.Handle(), nullptr);
  EXPECT_EQ(child.m_nFinalMessages, 1);
}

struct WalkCase {
  bool bChildConsumes;
  bool bParentConsumes;
  std::vector<std::string> expected;
};

TEST(WindowTest, KeysAreOfferedInnermostFirstUpToTheTopLevelWindow) {
  const WalkCase cases[] = {
      {false, false, {"child filter", "parent filter", "child dispatched"}},
      {true, false, {"child filter"}},
      {false, true, {"child filter", "parent filter"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> log;
    CTestWindow parent(&log, "parent");
    ASSERT_TRUE(parent.Create());
    CTestWindow child(&log, "child");
    ASSERT_TRUE(child.CreateChild(TestWindowClass(), L"", 0, 0, 0, 10, 10, parent.Handle(), 1));
    child.m_bConsumeKeys = c.bChildConsumes;
    parent.m_bConsumeKeys = c.bParentConsumes;
    child.Post(WM_KEYDOWN, 'A');
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(log, c.expected);
  }
}

TEST(WindowTest, OwnedPopupsAreNotInsideTheirOwner) {
  std::vector<std::string> log;
  CTestWindow owner(&log, "owner");
  ASSERT_TRUE(owner.Create());
  CTestWindow popup(&log, "popup");
  ASSERT_TRUE(popup.Create(owner.Handle(), WS_POPUP));
  EXPECT_EQ(::GetParent(popup.Handle()), owner.Handle());  // GetParent gives the owner
  popup.Post(WM_KEYDOWN, 'A');
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(log, (std::vector<std::string>{"popup filter", "popup dispatched"}));
}

TEST(WindowTest, FailingFilterConsumesTheMessage) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  window.m_bThrowInFilter = true;
  window.Post(WM_KEYDOWN, 'A');
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(window.m_nKeyDowns, 0);
}

TEST(WindowTest, LoopEndsWithTheQuitCode) {
  ::PostQuitMessage(7);
  EXPECT_EQ(RunMessageLoop(), 7);
  ::PostQuitMessage(3);
  int nExitCode = 0;
  EXPECT_FALSE(PumpMessages(&nExitCode));
  EXPECT_EQ(nExitCode, 3);
}

// Consumes every key of the window it is attached to.
class CKeyObserver : public CWindowBase {
 public:
  explicit CKeyObserver(std::vector<std::string>* pLog) : m_pLog(pLog) {}
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    m_pLog->push_back("observer filter");
    return true;
  }

 private:
  std::vector<std::string>* m_pLog;
};

TEST(WindowTest, AttachedObjectsSeeTheKeysOfForeignWindows) {
  std::vector<std::string> log;
  CTestWindow parent(&log, "parent");
  ASSERT_TRUE(parent.Create());
  HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, parent.Handle(),
                                 nullptr, nullptr, nullptr);
  ASSERT_NE(hEdit, nullptr);
  CKeyObserver observer(&log);
  observer.Attach(hEdit);
  ::PostMessageW(hEdit, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(PumpMessages());
  observer.Detach();
  EXPECT_EQ(CWindowBase::FromHandle(hEdit), nullptr);
  ::PostMessageW(hEdit, WM_KEYDOWN, 'B', 0);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(log, (std::vector<std::string>{"observer filter", "parent filter"}));
  EXPECT_TRUE(::IsWindow(hEdit));
}

}  // namespace
