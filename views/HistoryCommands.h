#pragma once
// The commands of the history, in one table of id -> handler with its
// selection rule, served by both hosts: the main list view and the clip
// window. The hosts differ only where the host interface says.
#include <windows.h>

#include <functional>

#include "core/TanselDoc.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/MessageBox.h"
#include "views/HistoryList.h"

// What a host does where the two differ.
class IHistoryCommandHost {
 public:
  virtual ~IHistoryCommandHost() = default;
  // After Activate put one or several items on the clipboard.
  virtual void OnActivated() = 0;
  // After a date and time stamp, or an edited text appended, went onto the
  // clipboard.
  virtual void OnTextInserted() = 0;
  // True while a box or a dialog of the commands is up.
  virtual void SetBusy(bool bBusy) = 0;
  // The owner of the item editor and the find dialog.
  virtual HWND DialogOwner() = 0;
};

class CHistoryCommands {
 public:
  CHistoryCommands(CTanselDoc& doc, CHistoryList& list, IHistoryCommandHost& host,
                   IUserPrompt& prompt);

  // A menu or popup command; false for an id that is not a history command.
  bool OnCommand(UINT nId);
  // The "&Edit" menu's enabling rules by the selection, when a popup opens.
  void UpdateMenu(HMENU hMenu);
  // The 18 local keys, in their order.
  void RegisterKeys(CKeyboardAccelerator& keys);
  // A click in the list, in its client coordinates: on the picture column of
  // a row it toggles the row's bookmark.
  void OnClick(POINT point);
  // The context popup chosen by the selected count, at a screen point; its
  // command reaches owner as WM_COMMAND.
  void ShowContextMenu(POINT screenPoint, HWND owner);
  // The list's notices, the same in both hosts: a cell asked for, a click
  // (the bookmark column), a right click (the popup, owned by popupOwner)
  // and an activation. False for a notice of another control or kind.
  bool OnListNotify(NMHDR& header, HWND popupOwner, LRESULT& result);

  // The commands, each with its selection rule.
  void Activate();
  void Preview();
  void Edit();
  void Revert();
  void Bookmark();
  void NextBookmark();
  void PreviousBookmark();
  void ClearBookmarks();
  void Remove();
  void Invert();
  void InvertAndActivate();
  void MakeObject();
  void ConvertFromID();
  void ConvertToID();
  void Lowercase();
  void Uppercase();
  void Title();
  void InsertDateTime(int nFormat);
  void Find();
  void FindNext();
  void FindPrevious();
  void SelectAll();

 private:
  // -1 with no row selected, the selected index with one; false with more,
  // when navigation does nothing at all.
  bool StartIndex(int& nStart) const;
  void ChangeCase(int nMode);
  // From the start index to a row the document finds; the anchor is taken
  // out of the selection before the search when bDeselectFirst, else only
  // when something is found.
  void Navigate(const std::function<int(int)>& find, bool bDeselectFirst);
  // A box with the host busy around it.
  int Ask(const wchar_t* text, UINT type);
  // The item editor on an item; its end code, with the edited text.
  INT_PTR RunItemEditor(UINT nMode, const CLIP_ITEM& item, CString16& strText);

  CTanselDoc& m_doc;
  CHistoryList& m_list;
  IHistoryCommandHost& m_host;
  IUserPrompt& m_prompt;
};
