#include "settings/win/EditHotkeyDlg.h"

#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"
#include "ui/WinText.h"

CEditHotkeyDlg::CEditHotkeyDlg(uint32_t messageId,
                               const std::map<uint32_t, MESSAGE_DESCRIPTION>& commands,
                               CKeyboardAccelerator& accelerator, IUserPrompt& prompt)
    : CDialog(IDD_EDITHOTKEY),
      m_dwMessageID(messageId),
      m_mapCommands(commands),
      m_accelerator(accelerator),
      m_prompt(prompt) {}

BOOL CEditHotkeyDlg::OnInitDialog() {
  CenterOverOwner();
  CApplicationRegistry registry;
  SetItemText(IDC_COMMAND_NAME, GetCommandName(m_mapCommands, m_dwMessageID));
  m_cmbKey.Attach(Item(IDC_KEY));

  const uint32_t hotkey = registry.GetHotkey(m_dwMessageID);
  // A stored key outside the list selects nothing rather than a wrong key.
  for (uint16_t vk : registry.GetKeys()) {
    CString16 name;
    registry.GetKeyName(vk, name);
    const int index = m_cmbKey.AddString(WinText(name), vk);
    if (index >= 0 && vk == CApplicationRegistry::GetHotkeyKey(hotkey)) m_cmbKey.SetCurSel(index);
  }
  CheckItem(IDC_CTRL, CApplicationRegistry::IsHotkeyCtrl(hotkey) != FALSE);
  CheckItem(IDC_ALT, CApplicationRegistry::IsHotkeyAlt(hotkey) != FALSE);
  CheckItem(IDC_SHIFT, CApplicationRegistry::IsHotkeyShift(hotkey) != FALSE);
  return TRUE;
}

void CEditHotkeyDlg::OnOK() {
  const int selected = m_cmbKey.GetCurSel();
  const auto vk = static_cast<uint16_t>(selected < 0 ? 0 : m_cmbKey.GetItemData(selected));
  const uint32_t hotkey = CApplicationRegistry::MakeHotkey(
      IsItemChecked(IDC_CTRL), IsItemChecked(IDC_ALT), IsItemChecked(IDC_SHIFT), vk);

  CApplicationRegistry registry;
  if (hotkey != 0 && m_accelerator.ContainsMessageID(hotkey)) {
    const uint32_t other = m_accelerator.GetMessageID(hotkey);
    if (other != m_dwMessageID) {
      const CString16 text = u"This Hotkey Configuration is assigned to '" +
                             GetCommandName(m_mapCommands, other) +
                             u"' command.\nDo you want to overwrite it?";
      // Declining keeps the dialog open with the user's choice in it.
      if (m_prompt.Show(WinText(text), MB_YESNO) != IDYES) return;
      // The other command keeps its registration: adding ours takes it over.
      registry.SetHotkey(other, 0);
    }
  }
  m_accelerator.RemoveHotkeyMessageID(registry.GetHotkey(m_dwMessageID));
  m_accelerator.AddHotkeyMessageID(hotkey, m_dwMessageID);
  registry.SetHotkey(m_dwMessageID, hotkey);
  CDialog::OnOK();
}
