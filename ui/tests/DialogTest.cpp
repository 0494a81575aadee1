// Dialogs from the test template, driven by messages posted to them.
// Catches: dialogs whose end codes, data exchange, centring or key handling go wrong.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestResource.h"
#include "tests/support/WinTestSupport.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/ListView.h"
#include "ui/Window.h"

namespace {

// A message posted once the dialog exists, to one of its controls or, for
// target 0, to the dialog.
struct Step {
  int target;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
Step Key(UINT vk) { return {IDC_TEST_EDIT, WM_KEYDOWN, vk, 1}; }
Step Command(UINT id) { return {0, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0}; }

enum : UINT { ID_TEST_THROW = 2001, ID_TEST_NESTED_DIALOG = 2002 };
constexpr UINT kAnsweredCode = 0x7FFF;

class CTestDialog : public CDialog {
 public:
  explicit CTestDialog(std::vector<Step> steps) : CDialog(IDD_TEST), m_steps(std::move(steps)) {
    CListView::InitCommonControls();  // the template holds a list
  }
  std::vector<std::string> m_log;
  CString16 m_strTextAtEnd;
  int m_nFinalMessages = 0;

 protected:
  BOOL OnInitDialog() override {
    m_log.push_back("init");
    SetItemText(IDC_TEST_EDIT, u"initial text");
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
  // F2 runs Append, as the item editor's key does; typed characters never
  // reach the edit.
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_CHAR) return true;
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F2) return CDialog::PreTranslateMessage(msg);
    m_log.push_back("F2");
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
      ::PostMessageW(step.target ? Item(step.target) : m_hWnd, step.message, step.wParam,
                     step.lParam);
  }
  void End(const char* what, INT_PTR result) {
    m_log.push_back(what);
    m_strTextAtEnd = GetItemText(IDC_TEST_EDIT);
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
      {true, {Key(VK_RETURN)}, IDOK, {"init", "ok"}},
      {true, {Key(VK_ESCAPE)}, IDCANCEL, {"init", "cancel"}},
      {true, {Key(VK_F2)}, IDC_TEST_APPEND, {"init", "F2", "append"}},
      {true, {{IDC_TEST_EDIT, WM_CHAR, 'x', 1}, Key(VK_RETURN)}, IDOK, {"init", "ok"}},
      {true, {Command(ID_TEST_THROW), Key(VK_ESCAPE)}, IDCANCEL, {"init", "throw", "cancel"}},
      {true,
       {Command(ID_TEST_NESTED_DIALOG)},
       IDC_TEST_APPEND,
       {"init", "init", "F2", "append", "F2", "append"}},
      // A modeless dialog gets the dialog keys and its filter from the loop.
      {false, {Key(VK_ESCAPE)}, 0, {"init", "cancel"}},
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
    EXPECT_EQ(dialog.m_strTextAtEnd, u"initial text");
    EXPECT_EQ(dialog.m_nFinalMessages, 1);
  }
}

TEST(DialogTest, ControlsExchangeDataAndNotificationsAnswer) {
  HWND hGone;
  {
    CTestDialog gone({});
    ASSERT_TRUE(gone.CreateModeless());
    hGone = gone.Handle();
  }
  EXPECT_FALSE(::IsWindow(hGone));  // the object took its modeless window along

  CTestDialog dialog({});
  ASSERT_TRUE(dialog.CreateModeless());
  for (const CString16& text :
       {CString16(), CString16(u"caf\u00E9 \u4E2D"), CString16(5000, u'x')}) {
    EXPECT_TRUE(dialog.SetItemText(IDC_TEST_EDIT, text));
    EXPECT_EQ(dialog.GetItemText(IDC_TEST_EDIT), text);
  }
  NMHDR header = {dialog.Item(IDC_TEST_LIST), IDC_TEST_LIST, kAnsweredCode};
  EXPECT_EQ(dialog.Send(WM_NOTIFY, IDC_TEST_LIST, reinterpret_cast<LPARAM>(&header)), 5);

  CComboBox combo(dialog.Item(IDC_TEST_COMBO));
  const LPARAM values[] = {0, VK_F5, 'A'};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(combo.AddString(L"key", values[i]), i);  // unsorted
  for (int i : {2, 0, 1}) {
    EXPECT_TRUE(combo.SetCurSel(i));
    EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), values[i]);
  }
  EXPECT_FALSE(combo.SetCurSel(7));
  EXPECT_TRUE(combo.SetCurSel(-1));  // clearing succeeds though the control answers CB_ERR
  EXPECT_EQ(combo.GetCurSel(), -1);
}

}  // namespace
