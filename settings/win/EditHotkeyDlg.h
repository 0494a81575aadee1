#pragma once
// "Hotkey Edit": the hotkey of one command, as modifier boxes and a key. OK
// settles a clash with another command, re-registers the hotkey and stores
// it at once; the caller only learns whether the user pressed OK.
#include <cstdint>
#include <map>

#include "settings/CommandTable.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/MessageBox.h"

class CEditHotkeyDlg : public CDialog {
 public:
  CEditHotkeyDlg(uint32_t messageId, const std::map<uint32_t, MESSAGE_DESCRIPTION>& commands,
                 CKeyboardAccelerator& accelerator, IUserPrompt& prompt);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  const uint32_t m_dwMessageID;
  const std::map<uint32_t, MESSAGE_DESCRIPTION>& m_mapCommands;
  CKeyboardAccelerator& m_accelerator;
  IUserPrompt& m_prompt;
  CComboBox m_cmbKey;
};
