// The window base: dispatch to the derived class, the exception barriers, the
// object's life with its window, and the walk that offers keys to parents.
// Catches: a window base that dispatches to the wrong object, lets an exception through user32,
// outlives or dies before its window, or offers keys to the wrong parents.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/WinTestSupport.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"

namespace {

enum : UINT { WM_TEST_ANSWER = WM_APP + 1, WM_TEST_THROW_STD, WM_TEST_THROW_OTHER };
// What a window's filter does with a key.
enum Filter { kPass, kConsume, kThrow };

class CTestWindow : public CWindow {
 public:
  explicit CTestWindow(std::vector<std::string>* pLog = nullptr, const char* name = "")
      : m_pLog(pLog), m_name(name) {}
  bool Create(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    return CWindow::Create(TestWindowClass(), L"test", style, 0, 10, 10, 200, 150, parent);
  }

  Filter m_filter = kPass;
  HWND m_hWndAtCreate = nullptr;
  int m_nFinalMessages = 0;

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
        return 0;
    }
    return Default(message, wParam, lParam);
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    Log("filter");
    if (m_filter == kThrow) throw std::runtime_error("filter");
    return m_filter == kConsume;
  }
  void OnFinalMessage() override { ++m_nFinalMessages; }

 private:
  void Log(const char* what) {
    if (m_pLog) m_pLog->push_back(m_name + " " + what);
  }
  std::vector<std::string>* m_pLog;
  std::string m_name;
};

TEST(WindowTest, MessagesReachTheOverrideAndExceptionsEndOnlyTheirMessage) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(window.m_hWndAtCreate, window.Handle());  // bound by WM_CREATE
  EXPECT_EQ(CWindowBase::FromHandle(window.Handle()), &window);
  EXPECT_EQ(window.Send(WM_TEST_ANSWER, 21), 42);
  for (UINT message : {UINT(WM_TEST_THROW_STD), UINT(WM_TEST_THROW_OTHER)}) {
    EXPECT_EQ(window.Send(message), 0);
    EXPECT_EQ(window.Send(WM_TEST_ANSWER, 5), 10);  // the window goes on working
  }
  window.Post(WM_TEST_THROW_STD);  // through the loop and the same barrier
  EXPECT_TRUE(PumpMessages());
  // A class with another procedure could never reach the object.
  CTestWindow foreign;
  EXPECT_FALSE(foreign.CreateChild(L"STATIC", L"", 0, 0, 0, 10, 10, window.Handle(), 1));
}

TEST(WindowTest, WindowAndObjectEndTogether) {
  CTestWindow parent, child;
  ASSERT_TRUE(parent.Create());
  ASSERT_TRUE(child.CreateChild(TestWindowClass(), L"", 0, 0, 0, 50, 50, parent.Handle(), 77));
  EXPECT_EQ(parent.Item(77), child.Handle());
  parent.Destroy();  // takes the child along
  for (const CTestWindow* window : {&parent, &child}) {
    EXPECT_EQ(window->Handle(), nullptr);
    EXPECT_EQ(window->m_nFinalMessages, 1);
  }
  HWND hWnd;
  {
    CTestWindow window;
    ASSERT_TRUE(window.Create());
    hWnd = window.Handle();
  }
  EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(WindowTest, KeysAreOfferedInnermostFirstUpToTheTopLevelWindow) {
  const struct {
    DWORD style;
    Filter inner, outer;
    std::vector<std::string> log;
  } cases[] = {
      {WS_CHILD, kPass, kPass, {"inner filter", "outer filter", "inner dispatched"}},
      {WS_CHILD, kConsume, kPass, {"inner filter"}},
      {WS_CHILD, kPass, kConsume, {"inner filter", "outer filter"}},
      {WS_CHILD, kThrow, kPass, {"inner filter"}},  // a failing filter consumes the key
      // An owned popup is not inside its owner.
      {WS_POPUP, kPass, kConsume, {"inner filter", "inner dispatched"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> log;
    CTestWindow outer(&log, "outer"), inner(&log, "inner");
    ASSERT_TRUE(outer.Create());
    ASSERT_TRUE(inner.Create(outer.Handle(), c.style));
    inner.m_filter = c.inner;
    outer.m_filter = c.outer;
    inner.Post(WM_KEYDOWN, 'A');
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(log, c.log);
  }
}

// Counts the keys of the window it is attached to, and consumes them.
class CKeyObserver : public CWindowBase {
 public:
  bool PreTranslateMessage(MSG& msg) override { return msg.message == WM_KEYDOWN && ++m_nKeys > 0; }
  int m_nKeys = 0;
};

// Installed before the watch, so it hears WM_NCDESTROY after the watch did.
LRESULT CALLBACK PropertyAtDeathProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY)
    *reinterpret_cast<CWindowBase**>(data) = CWindowBase::FromHandle(hWnd);
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

TEST(WindowTest, WatchersSeeTheKeysOfForeignWindowsUntilTheyStopOrTheWindowDies) {
  std::vector<std::string> log;
  CTestWindow parent(&log, "parent"), other;
  ASSERT_TRUE(parent.Create());
  ASSERT_TRUE(other.Create());
  // A window's own object cannot watch another.
  EXPECT_FALSE(other.WatchKeys(parent.Handle()));
  EXPECT_EQ(other.Handle(), other.m_hWndAtCreate);
  EXPECT_EQ(CWindowBase::FromHandle(parent.Handle()), &parent);
  auto newEdit = [&] {
    return ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, parent.Handle(), nullptr,
                             nullptr, nullptr);
  };
  HWND hEdit = newEdit();
  CKeyObserver observer;
  ASSERT_TRUE(observer.WatchKeys(hEdit));
  ::PostMessageW(hEdit, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(PumpMessages());
  observer.StopWatchingKeys();
  EXPECT_EQ(CWindowBase::FromHandle(hEdit), nullptr);
  ::PostMessageW(hEdit, WM_KEYDOWN, 'B', 0);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(observer.m_nKeys, 1);
  EXPECT_EQ(log, std::vector<std::string>{"parent filter"});  // only the key after the stop

  // The watched control dies with its window, before the watch hears of it.
  hEdit = newEdit();
  CWindowBase* pLeftAtDeath = reinterpret_cast<CWindowBase*>(1);
  ASSERT_TRUE(::SetWindowSubclass(hEdit, PropertyAtDeathProc, 1,
                                  reinterpret_cast<DWORD_PTR>(&pLeftAtDeath)));
  ASSERT_TRUE(observer.WatchKeys(hEdit));
  ASSERT_EQ(CWindowBase::FromHandle(hEdit), &observer);
  parent.Destroy();
  EXPECT_EQ(pLeftAtDeath, nullptr) << "the property went before the window";
  EXPECT_EQ(observer.Handle(), nullptr) << "no handle to a dead window";
}

TEST(WindowTest, LoopsEndWithTheQuitCode) {
  ::PostQuitMessage(7);
  EXPECT_EQ(RunMessageLoop(), 7);
  ::PostQuitMessage(3);
  int nExitCode = 0;
  EXPECT_FALSE(PumpMessages(&nExitCode));
  EXPECT_EQ(nExitCode, 3);
}

}  // namespace
