// The window base where the program's own windows never take it: exceptions
// through user32, a class with a foreign procedure, an object that goes
// before its window, the keys of an owned popup, and the loops' quit codes.
// Catches: a window base that lets an exception through user32, binds to a window it can never
// hear, outlives or dies before its window, offers a popup's keys to its owner, or loses the quit
// code.
#include <windows.h>
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
  int m_nFinalMessages = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
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

TEST(WindowTest, ExceptionsEndOnlyTheirMessageAndAForeignClassIsRefused) {
  CTestWindow window;
  ASSERT_TRUE(window.Create());
  for (UINT message : {UINT(WM_TEST_THROW_STD), UINT(WM_TEST_THROW_OTHER)}) {
    EXPECT_EQ(window.Send(message), 0);
    EXPECT_EQ(window.Send(WM_TEST_ANSWER, 5), 10);  // the window goes on working
  }
  // A class with another procedure could never reach the object.
  CTestWindow foreign;
  EXPECT_FALSE(foreign.CreateChild(L"STATIC", L"", 0, 0, 0, 10, 10, window.Handle(), 1));
}

TEST(WindowTest, WindowAndObjectEndTogether) {
  CTestWindow parent, child;
  ASSERT_TRUE(parent.Create());
  ASSERT_TRUE(child.CreateChild(TestWindowClass(), L"", 0, 0, 0, 50, 50, parent.Handle(), 77));
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

TEST(WindowTest, AFailingFilterConsumesTheKeyAndAPopupIsNotInsideItsOwner) {
  const struct {
    DWORD style;
    Filter inner;
    std::vector<std::string> log;
  } cases[] = {{WS_CHILD, kThrow, {"inner filter"}},
               {WS_POPUP, kPass, {"inner filter", "inner dispatched"}}};
  for (const auto& c : cases) {
    std::vector<std::string> log;
    CTestWindow outer(&log, "outer"), inner(&log, "inner");
    ASSERT_TRUE(outer.Create());
    ASSERT_TRUE(inner.Create(outer.Handle(), c.style));
    inner.m_filter = c.inner;
    outer.m_filter = kConsume;
    inner.Post(WM_KEYDOWN, 'A');
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(log, c.log);
  }
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
