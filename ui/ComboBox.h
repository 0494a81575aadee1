#pragma once
// A thin wrapper over a drop-down list: entries with a value each, and the
// selection. It does not own the window.
#include <windows.h>

#include "ui/Control.h"

class CComboBox : public CControl {
 public:
  using CControl::CControl;

  // Appends an entry (in an unsorted list) carrying data; its index, or -1.
  int AddString(const wchar_t* text, LPARAM data);
  int GetCount() const;
  // -1 when no entry is selected.
  int GetCurSel() const;
  // -1 clears the selection.
  bool SetCurSel(int index);
  LPARAM GetItemData(int index) const;
};
