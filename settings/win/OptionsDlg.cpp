#include "settings/win/OptionsDlg.h"

#include <cstdlib>
#include <string>

#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"
#include "settings/win/EditHotkeyDlg.h"
#include "settings/win/OptionsMessages.h"
#include "ui/Dpi.h"
#include "ui/WinText.h"

namespace {
// Grid lines, full-row selection, info tips and label tips.
const DWORD kHotkeyListStyle = 0x4421;
const int kDigits = 3;
}  // namespace

COptionsDlg::COptionsDlg(const std::map<uint32_t, MESSAGE_DESCRIPTION>& commands,
                         CKeyboardAccelerator& accelerator, IUserPrompt& prompt, HWND mainWindow)
    : CDialog(IDD_OPTIONS),
      m_mapCommands(commands),
      m_accelerator(accelerator),
      m_prompt(prompt),
      m_hWndMain(mainWindow) {}

BOOL COptionsDlg::OnInitDialog() {
  // Opened from the tray, its owner is hidden: then in the middle of the
  // screen rather than at the hidden window's corner.
  CenterOverOwner();
  ::SendDlgItemMessageW(m_hWnd, IDC_ITEMS_COUNT, EM_SETLIMITTEXT, kDigits, 0);
  ::SendDlgItemMessageW(m_hWnd, IDC_MAX_COPY_SIZE, EM_SETLIMITTEXT, kDigits, 0);
  m_lstHotkeys.Attach(Item(IDC_HOTKEYS));
  FillHotkeyList();
  LoadValues();
  return TRUE;
}

void COptionsDlg::FillHotkeyList() {
  // The widths are for 96 DPI; the dialog grows with the DPI, so do they.
  const UINT dpi = WindowDpi(m_hWnd);
  m_lstHotkeys.InsertColumn(0, L"Command Name", LVCFMT_LEFT, ScaleForDpi(260, dpi));
  m_lstHotkeys.InsertColumn(1, L"Hotkey", LVCFMT_LEFT, ScaleForDpi(140, dpi));
  m_lstHotkeys.SetExtendedStyle(kHotkeyListStyle);

  std::vector<MESSAGE_DESCRIPTION> groups[3];
  for (const MESSAGE_DESCRIPTION& command : GetCommandsInDisplayOrder(m_mapCommands)) {
    if (command.dwGroup < 3) groups[command.dwGroup].push_back(command);
  }
  AddGroupRows(L"View", groups[0]);
  AddGroupRows(L"Edit", groups[1]);
  AddGroupRows(L"Options", groups[2]);
}

void COptionsDlg::AddGroupRows(const wchar_t* groupName,
                               const std::vector<MESSAGE_DESCRIPTION>& commands) {
  // The heading carries 0, which no command has, so it can be told apart.
  const int heading = m_lstHotkeys.InsertItem(m_lstHotkeys.GetItemCount(), groupName);
  m_lstHotkeys.SetItemData(heading, 0);
  for (const MESSAGE_DESCRIPTION& command : commands) {
    const CString16 text = u"   " + CString16(command.szName);
    const int row = m_lstHotkeys.InsertItem(m_lstHotkeys.GetItemCount(), WinText(text));
    if (row < 0) continue;
    m_lstHotkeys.SetItemData(row, command.dwMessageID);
    UpdateHotkeyText(row);
  }
}

void COptionsDlg::UpdateHotkeyText(int row) {
  const auto messageId = static_cast<uint32_t>(m_lstHotkeys.GetItemData(row));
  if (messageId == 0) return;
  CApplicationRegistry registry;
  m_lstHotkeys.SetItemText(row, 1, registry.GetHotkeyText(registry.GetHotkey(messageId)));
}

bool COptionsDlg::OnNotify(NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != m_lstHotkeys.Handle() || header.code != LVN_ITEMACTIVATE) return false;
  OnItemActivateHotkeys(reinterpret_cast<const NMITEMACTIVATE&>(header), result);
  return true;
}

void COptionsDlg::OnItemActivateHotkeys(const NMITEMACTIVATE& activate, LRESULT& result) {
  result = 0;
  if (activate.iItem < 0) return;
  const auto messageId = static_cast<uint32_t>(m_lstHotkeys.GetItemData(activate.iItem));
  if (messageId == 0) return;
  CEditHotkeyDlg dialog(messageId, m_mapCommands, m_accelerator, m_prompt);
  // Owned by this dialog, so the options stay disabled beneath it.
  if (dialog.DoModal(m_hWnd) != IDOK) return;
  // An overwrite also cleared another command's hotkey.
  const int count = m_lstHotkeys.GetItemCount();
  for (int row = 0; row < count; ++row) UpdateHotkeyText(row);
}

void COptionsDlg::LoadValues() {
  CApplicationRegistry registry;
  WriteNumber(IDC_ITEMS_COUNT, registry.GetBufferSize());
  WriteNumber(IDC_MAX_COPY_SIZE, registry.GetMaxClipboardCopySize());
  CheckItem(IDC_PASTE_ACTIVATED, registry.GetDoPaste() != FALSE);
  CheckItem(IDC_START_WITH_WINDOWS, registry.IsStartWithWindows() != FALSE);
}

void COptionsDlg::OnOK() {
  SaveValues();
  CDialog::OnOK();
}

void COptionsDlg::SaveValues() {
  CApplicationRegistry registry;
  registry.SetBufferSize(ReadNumber(IDC_ITEMS_COUNT));
  registry.SetMaxClipboardCopySize(static_cast<uint32_t>(ReadNumber(IDC_MAX_COPY_SIZE)));
  registry.SetDoPaste(IsItemChecked(IDC_PASTE_ACTIVATED) ? TRUE : FALSE);
  registry.SetStartWithWindows(IsItemChecked(IDC_START_WITH_WINDOWS) ? TRUE : FALSE);
  ::PostMessageW(m_hWndMain, WM_OPTIONS_CHANGED, 0, 0);
}

int COptionsDlg::ReadNumber(int id) const {
  wchar_t text[16] = {};
  ::GetDlgItemTextW(m_hWnd, id, text, 16);
  return _wtoi(text);
}

void COptionsDlg::WriteNumber(int id, long long value) const {
  SetItemText(id, std::to_wstring(value).c_str());
}
