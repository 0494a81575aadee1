#include "ui/ComboBox.h"

int CComboBox::AddString(const wchar_t* text, LPARAM data) {
  const LRESULT index = Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (index < 0) return -1;
  if (Send(CB_SETITEMDATA, index, data) == CB_ERR) return -1;
  return static_cast<int>(index);
}

int CComboBox::GetCount() const {
  const LRESULT count = Send(CB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

int CComboBox::GetCurSel() const {
  const LRESULT index = Send(CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

bool CComboBox::SetCurSel(int index) {
  // CB_SETCURSEL reports CB_ERR also for a successful -1.
  const LRESULT result = Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return index < 0 || result == index;
}

LPARAM CComboBox::GetItemData(int index) const {
  const LRESULT data = Send(CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? 0 : data;
}
