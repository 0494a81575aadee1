#pragma once
// "Options": every hotkey command with its hotkey, edited one at a time in
// "Hotkey Edit" (stored at once), and the four system options, which only OK
// writes.
#include <cstdint>
#include <map>
#include <vector>

#include "settings/CommandTable.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/Dialog.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"

class COptionsDlg : public CDialog {
 public:
  // mainWindow hears WM_OPTIONS_CHANGED after OK.
  COptionsDlg(const std::map<uint32_t, MESSAGE_DESCRIPTION>& commands,
              CKeyboardAccelerator& accelerator, IUserPrompt& prompt, HWND mainWindow);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;

 private:
  void FillHotkeyList();
  void AddGroupRows(const wchar_t* groupName, const std::vector<MESSAGE_DESCRIPTION>& commands);
  void UpdateHotkeyText(int row);
  void OnItemActivateHotkeys(const NMITEMACTIVATE& activate, LRESULT& result);
  void LoadValues();
  void SaveValues();
  // The number in an edit as _wtoi reads it: leading digits, 0 for none.
  int ReadNumber(int id) const;
  void WriteNumber(int id, long long value) const;

  const std::map<uint32_t, MESSAGE_DESCRIPTION>& m_mapCommands;
  CKeyboardAccelerator& m_accelerator;
  IUserPrompt& m_prompt;
  const HWND m_hWndMain;
  CListView m_lstHotkeys;
};
