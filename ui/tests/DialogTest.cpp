// Dialogs from the test template, driven by messages posted to them: what the
// program's own dialogs never do (throw, nest modal runs, get a notice whose
// result counts, end modeless through EndDialog, die with their object).
// Catches: a dialog whose exception barrier, nested key filter, notification result, modeless end
// or final clean-up goes wrong, or that takes a button's notice for its click.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestResource.h"
#include "tests/support/WinTestSupport.h"
#include "ui/Dialog.h"

namespace {

// A message posted once the dialog exists, to the edit or, for target 0, to
// the dialog.
struct Step {
  int target;
  UINT message;
  WPARAM wParam;
};
Step Key(UINT vk) { return {IDC_TEST_EDIT, WM_KEYDOWN, vk}; }
Step Command(UINT id, UINT code = BN_CLICKED) { return {0, WM_COMMAND, MAKEWPARAM(id, code)}; }

enum : UINT { ID_TEST_THROW = 2001, ID_TEST_NESTED_DIALOG = 2002 };
constexpr UINT kAnsweredCode = 0x7FFF;

class CTestDialog : public CDialog {
 public:
  explicit CTestDialog(std::vector<Step> steps) : CDialog(IDD_TEST), m_steps(std::move(steps)) {}
  std::vector<std::string> m_log;
  int m_nFinalMessages = 0;

 protected:
  BOOL OnInitDialog() override {
    m_log.push_back("init");
    Run(m_steps);
    ::SetTimer(m_hWnd, 1, 4000, nullptr);  // a dialog its keys failed to end gives up
    return TRUE;
  }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER) End("timeout", -2);
    return CDialog::DialogProc(message, wParam, lParam);
  }
  void OnOK() override { End("ok", IDOK); }
  void OnCancel() override { End("cancel", IDCANCEL); }
  bool OnCommand(UINT id, UINT code, HWND control) override {
    switch (id) {
      case IDC_TEST_APPEND:
        End("append", IDC_TEST_APPEND);
        return true;
      case ID_TEST_THROW:
        m_log.push_back("throw");
        throw std::out_of_range("no such item");
      case ID_TEST_NESTED_DIALOG: {
        // The inner dialog filters its keys while it runs, this one after.
        CTestDialog nested({Key(VK_F2)});
        nested.DoModal(m_hWnd);
        m_log.insert(m_log.end(), nested.m_log.begin(), nested.m_log.end());
        Run({Key(VK_F2)});
        return true;
      }
    }
    return CDialog::OnCommand(id, code, control);
  }
  // F2 runs Append, as the item editor's key does; F3 fails.
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN || msg.wParam < VK_F2 || msg.wParam > VK_F3)
      return CDialog::PreTranslateMessage(msg);
    m_log.push_back(msg.wParam == VK_F2 ? "F2" : "F3");
    if (msg.wParam == VK_F3) throw std::runtime_error("filter");
    return OnCommand(IDC_TEST_APPEND, BN_CLICKED, nullptr);
  }
  bool OnNotify(NMHDR& header, LRESULT& result) override {
    if (header.code != kAnsweredCode) return CDialog::OnNotify(header, result);
    result = 5;
    return true;
  }
  void OnFinalMessage() override { ++m_nFinalMessages; }

 private:
  void Run(const std::vector<Step>& steps) {
    for (const Step& step : steps)
      ::PostMessageW(step.target ? Item(step.target) : m_hWnd, step.message, step.wParam, 1);
  }
  void End(const char* what, INT_PTR result) {
    m_log.push_back(what);
    EndDialog(result);
  }
  std::vector<Step> m_steps;
};

TEST(DialogTest, DialogsEndByKeysAndCommandsAfterTheirFilter) {
  const struct {
    bool modal;
    std::vector<Step> steps;
    INT_PTR result;
    std::vector<std::string> log;
  } cases[] = {
      // A failing filter or handler ends only its message; a notice from the
      // OK button is no click.
      {true,
       {Key(VK_F3), Command(ID_TEST_THROW), Command(IDOK, BN_SETFOCUS), Key(VK_ESCAPE)},
       IDCANCEL,
       {"init", "F3", "throw", "cancel"}},
      {true,
       {Command(ID_TEST_NESTED_DIALOG)},
       IDC_TEST_APPEND,
       {"init", "init", "F2", "append", "F2", "append"}},
      // A modeless dialog gets its filter from the loop and ends destroyed.
      {false, {Key(VK_F2)}, 0, {"init", "F2", "append"}},
  };
  for (const auto& c : cases) {
    CTestDialog dialog(c.steps);
    if (c.modal) {
      EXPECT_EQ(dialog.DoModal(), c.result);
    } else {
      ASSERT_TRUE(dialog.CreateModeless());
      EXPECT_TRUE(WaitFor([&] { return dialog.Handle() == nullptr; }));
    }
    EXPECT_EQ(dialog.m_log, c.log);
    EXPECT_EQ(dialog.m_nFinalMessages, 1);
  }
}

TEST(DialogTest, AModelessDialogGoesWithItsObjectAndNotificationsAnswer) {
  HWND hGone;
  {
    CTestDialog gone({});
    ASSERT_TRUE(gone.CreateModeless());
    hGone = gone.Handle();
    NMHDR header = {hGone, IDC_TEST_EDIT, kAnsweredCode};
    EXPECT_EQ(gone.Send(WM_NOTIFY, IDC_TEST_EDIT, reinterpret_cast<LPARAM>(&header)), 5);
  }
  EXPECT_FALSE(::IsWindow(hGone));
}

}  // namespace
