#pragma once
// A thin wrapper over a list-view control in report mode: the LVM_*
// operations the history views and the options dialog use. It does not own
// the window; the window's parent or the dialog does.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "base/Text.h"
#include "ui/Control.h"
#include "ui/Handles.h"

class CListView : public CControl {
 public:
  using CControl::CControl;

  // Registers the list-view window class of the common controls; once per
  // program, before the first list is created.
  static bool InitCommonControls();

  bool Create(HWND parent, UINT id, DWORD style, const RECT& rect, DWORD exStyle = 0);

  DWORD GetExtendedStyle() const;
  void SetExtendedStyle(DWORD exStyle);
  HIMAGELIST GetImageList(int which) const;
  // An image list that others keep alive: the control must share its image
  // lists (LVS_SHAREIMAGELISTS), so that it never destroys this one.
  bool SetSharedImageList(HIMAGELIST list, int which);

  int InsertColumn(int index, const wchar_t* header, int format, int width);
  bool DeleteColumn(int index);

  int GetItemCount() const;
  // An owner-data list's row count; the rows on screen are drawn again.
  bool SetItemCount(int count);
  // Rows first to last are drawn again, their cells asked for anew.
  bool RedrawItems(int first, int last);
  // The whole list is drawn again.
  void Invalidate();
  // Inserts a row with the text of its first column; the new row's index, or
  // -1.
  int InsertItem(int index, const wchar_t* text, int image = 0);

  bool SetItemText(int index, int subItem, const wchar_t* text);
  bool SetItemText(int index, int subItem, const CString16& text);
  CString16 GetItemText(int index, int subItem) const;
  int GetItemImage(int index, int subItem) const;
  bool SetItemData(int index, LPARAM data);
  LPARAM GetItemData(int index) const;

  // Row -1 sets the state of every row.
  bool SetItemState(int index, UINT state, UINT mask);
  UINT GetItemState(int index, UINT mask) const;
  int GetSelectedCount() const;
  int GetSelectionMark() const;
  int SetSelectionMark(int index);
  int GetNextItem(int start, UINT flags) const;
  // The selected rows, ascending.
  std::vector<int> GetSelectedIndexes() const;

  bool EnsureVisible(int index, bool partialOk = false);
  int GetTopIndex() const;
  // Row under a point in client coordinates (-1 for none), and its column.
  int SubItemHitTest(POINT point, int* subItem) const;
  bool GetSubItemRect(int index, int subItem, RECT& rect) const;
};
