// Dialogs from the test template, driven by messages posted to them.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestResource.h"
#include "TestSupport.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/ListView.h"
#include "ui/MessageLoop.h"

namespace {

// A message to post once the dialog exists, to the dialog or to one of its
// controls (target 0 is the dialog).
struct Step {
  int target;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

Step Key(UINT vk) { return {IDC_TEST_EDIT, WM_KEYDOWN, vk, 1}; }
Step Command(UINT id) { return {0, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0}; }

enum : UINT { ID_TEST_THROW = 2001, ID_TEST_NESTED_DIALOG = 2002 };

class CTestDialog : public CDialog {
 public:
  explicit CTestDialog(std::vector<Step> steps, UINT templateId = IDD_TEST)
      : CDialog(templateId), m_steps(std::move(steps)) {
    CListView::InitCommonControls();  // the template holds a list
  }

  std::vector<std::string> m_log;
  CString16 m_strTextAtEnd;
  bool m_bCheckedAtEnd = false;
  int m_nFinalMessages = 0;
  std::vector<Step> m_nestedSteps;
  std::vector<Step> m_laterSteps;
  INT_PTR m_nNestedResult = 0;
  static constexpr UINT kAnsweredCode = 0x7FFF;
  std::vector<int> m_selectedRows;

 protected:
  BOOL OnInitDialog() override {
    m_log.push_back("init");
    SetItemText(IDC_TEST_EDIT, u"initial text");
    CheckItem(IDC_TEST_CHECK, true);
    Run(m_steps);
    return TRUE;
  }

  void OnOK() override {
    m_log.push_back("ok");
    Keep();
    CDialog::OnOK();
  }

  void OnCancel() override {
    m_log.push_back("cancel");
    Keep();
    CDialog::OnCancel();
  }

  bool OnCommand(UINT id, UINT code, HWND control) override {
    switch (id) {
      case IDC_TEST_APPEND:
        m_log.push_back("append");
        Keep();
        EndDialog(IDC_TEST_APPEND);
        return true;
      case ID_TEST_THROW:
        m_log.push_back("throw");
        throw std::out_of_range("no such item");
      case ID_TEST_NESTED_DIALOG: {
        CTestDialog nested(m_nestedSteps);
        m_nNestedResult = nested.DoModal(m_hWnd);
        m_log.insert(m_log.end(), nested.m_log.begin(), nested.m_log.end());
        Run(m_laterSteps);
        return true;
      }
    }
    return CDialog::OnCommand(id, code, control);
  }

  // F2 runs Append, as the item editor's key does.
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F2) {
      m_log.push_back("F2");
      OnCommand(IDC_TEST_APPEND, BN_CLICKED, nullptr);
      return true;
    }
    return CDialog::PreTranslateMessage(msg);
  }

  void OnFinalMessage() override { ++m_nFinalMessages; }

  // Records selection changes of the list; answers the test's own code.
  bool OnNotify(NMHDR& header, LRESULT& result) override {
    if (header.idFrom == IDC_TEST_LIST && header.code == LVN_ITEMCHANGED) {
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if (change.uNewState & LVIS_SELECTED) m_selectedRows.push_back(change.iItem);
      return true;
    }
    if (header.code == kAnsweredCode) {
      result = 5;
      return true;
    }
    return CDialog::OnNotify(header, result);
  }

 private:
  void Run(const std::vector<Step>& steps) {
    for (const Step& step : steps)
      ::PostMessageW(step.target ? Item(step.target) : m_hWnd, step.message, step.wParam,
                     step.lParam);
  }
  void Keep() {
    m_strTextAtEnd = GetItemText(IDC_TEST_EDIT);
    m_bCheckedAtEnd = IsItemChecked(IDC_TEST_CHECK);
  }

  std::vector<Step> m_steps;
};

struct ModalCase {
  const char* name;
  std::vector<Step> steps;
  INT_PTR result;
  std::vector<std::string> log;
};

TEST(DialogTest, ModalDialogsEndByKeysAndCommands) {
  const ModalCase cases[] = {
      {"Enter presses the default button", {Key(VK_RETURN)}, IDOK, {"init", "ok"}},
      {"Escape cancels", {Key(VK_ESCAPE)}, IDCANCEL, {"init", "cancel"}},
      {"close box cancels", {{0, WM_CLOSE, 0, 0}}, IDCANCEL, {"init", "cancel"}},
      {"a button ends with its id", {Command(IDC_TEST_APPEND)}, IDC_TEST_APPEND,
       {"init", "append"}},
      {"the filter sees keys first", {Key(VK_F2)}, IDC_TEST_APPEND, {"init", "F2", "append"}},
      {"an exception ends only its message",
       {Command(ID_TEST_THROW), Key(VK_ESCAPE)},
       IDCANCEL,
       {"init", "throw", "cancel"}},
  };
  for (const auto& c : cases) {
    CTestDialog dialog(c.steps);
    EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
    EXPECT_EQ(dialog.m_log, c.log) << c.name;
    EXPECT_EQ(dialog.m_strTextAtEnd, u"initial text") << c.name;
    EXPECT_TRUE(dialog.m_bCheckedAtEnd) << c.name;
    EXPECT_EQ(dialog.Handle(), nullptr) << c.name;
    EXPECT_EQ(dialog.m_nFinalMessages, 1) << c.name;
  }
}

TEST(DialogTest, NestedModalDialogsEachFilterTheirOwnKeys) {
  CTestDialog outer({Command(ID_TEST_NESTED_DIALOG)});
  outer.m_nestedSteps = {Key(VK_F2)};
  // After the nested dialog is gone, the outer one still gets its keys.
  outer.m_laterSteps = {Key(VK_F2)};
  EXPECT_EQ(outer.DoModal(), IDC_TEST_APPEND);
  EXPECT_EQ(outer.m_nNestedResult, IDC_TEST_APPEND);
  EXPECT_EQ(outer.m_log,
            (std::vector<std::string>{"init", "init", "F2", "append", "F2", "append"}));
}

TEST(DialogTest, MissingTemplateFailsTheRun) {
  CTestDialog dialog({}, IDD_MISSING);
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_TRUE(dialog.m_log.empty());
}

TEST(DialogTest, ControlTextAndChecksRoundTrip) {
  CTestDialog dialog({});
  ASSERT_TRUE(dialog.CreateModeless());
  const CString16 texts[] = {u"", u"one line", u"caf\u00E9 \u4E2D", CString16(5000, u'x')};
  for (const auto& text : texts) {
    EXPECT_TRUE(dialog.SetItemText(IDC_TEST_EDIT, text));
    EXPECT_EQ(dialog.GetItemText(IDC_TEST_EDIT), text);
  }
  dialog.CheckItem(IDC_TEST_CHECK, false);
  EXPECT_FALSE(dialog.IsItemChecked(IDC_TEST_CHECK));
  dialog.CheckItem(IDC_TEST_CHECK, true);
  EXPECT_TRUE(dialog.IsItemChecked(IDC_TEST_CHECK));
  dialog.EnableItem(IDC_TEST_APPEND, false);
  EXPECT_FALSE(::IsWindowEnabled(dialog.Item(IDC_TEST_APPEND)));
  dialog.EnableItem(IDC_TEST_APPEND, true);
  EXPECT_TRUE(::IsWindowEnabled(dialog.Item(IDC_TEST_APPEND)));
  EXPECT_EQ(dialog.GetItemText(9999), u"");
}

TEST(DialogTest, DropDownEntriesCarryTheirValues) {
  CTestDialog dialog({});
  ASSERT_TRUE(dialog.CreateModeless());
  CComboBox combo(dialog.Item(IDC_TEST_COMBO));
  // Unsorted: entries stay in the order they were added.
  const struct {
    const wchar_t* name;
    LPARAM vk;
  } keys[] = {{L"(None)", 0}, {L"F5", VK_F5}, {L"A", 'A'}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(combo.AddString(keys[i].name, keys[i].vk), i);
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.GetCurSel(), -1);
  for (int i : {2, 0, 1}) {
    EXPECT_TRUE(combo.SetCurSel(i));
    EXPECT_EQ(combo.GetCurSel(), i);
    EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), keys[i].vk);
  }
  EXPECT_FALSE(combo.SetCurSel(7));
  EXPECT_TRUE(combo.SetCurSel(-1));
  EXPECT_EQ(combo.GetCurSel(), -1);
}

TEST(DialogTest, NotificationsReachOnNotifyWithTheirResult) {
  CTestDialog dialog({});
  ASSERT_TRUE(dialog.CreateModeless());
  CListView list(dialog.Item(IDC_TEST_LIST));
  list.InsertColumn(0, L"", LVCFMT_LEFT, 100);
  list.InsertItem(0, L"a");
  list.InsertItem(1, L"b");
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(dialog.m_selectedRows, std::vector<int>{1});

  NMHDR header = {dialog.Item(IDC_TEST_LIST), IDC_TEST_LIST, CTestDialog::kAnsweredCode};
  EXPECT_EQ(dialog.Send(WM_NOTIFY, IDC_TEST_LIST, reinterpret_cast<LPARAM>(&header)), 5);
}

TEST(DialogTest, ModelessDialogGetsDialogKeysFromTheLoop) {
  CTestDialog dialog({});
  ASSERT_TRUE(dialog.CreateModeless());
  EXPECT_FALSE(dialog.IsModal());
  HWND hEdit = dialog.Item(IDC_TEST_EDIT);
  // Escape in a control reaches the dialog only through IsDialogMessage.
  ::PostMessageW(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitFor([&] { return dialog.Handle() == nullptr; }));
  EXPECT_EQ(dialog.m_log, (std::vector<std::string>{"init", "cancel"}));
  EXPECT_EQ(dialog.m_nFinalMessages, 1);
}

TEST(DialogTest, ModelessFilterSeesKeysBeforeTheDialogKeys) {
  CTestDialog dialog({});
  ASSERT_TRUE(dialog.CreateModeless());
  ::PostMessageW(dialog.Item(IDC_TEST_EDIT), WM_KEYDOWN, VK_F2, 1);
  EXPECT_TRUE(WaitFor([&] { return dialog.Handle() == nullptr; }));
  EXPECT_EQ(dialog.m_log, (std::vector<std::string>{"init", "F2", "append"}));
}

TEST(DialogTest, ObjectDestructionDestroysAModelessWindow) {
  HWND hWnd;
  {
    CTestDialog dialog({});
    ASSERT_TRUE(dialog.CreateModeless());
    hWnd = dialog.Handle();
    EXPECT_TRUE(::IsWindow(hWnd));
  }
  EXPECT_FALSE(::IsWindow(hWnd));
}

}  // namespace
