#pragma once
// The rows of a history list: one row per item, row i showing history index i.
// Both history hosts (the main list view and the clip window) show their rows
// through this class and differ only in which column holds what. It also
// speaks the selection terms of the history commands.
//
// The lists are owner-data lists (LVS_OWNERDATA): the control keeps the row
// count and the row states, and asks for a cell's text and picture
// (LVN_GETDISPINFO) when it draws the cell or another program reads it. A
// copy then costs the rows on screen, not the whole history.
#include "core/TanselDoc.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// Which column of a host shows which part of a row.
struct HISTORY_COLUMNS {
  int nPicture;  // the row picture; the number goes with it when nNumber is the same
  int nNumber;   // "%d" of index + 1
  int nText;     // the display text
  int nTime;     // the creation time
};

class CHistoryList {
 public:
  // The display text: the first kDisplayChars characters, then the escape.
  static constexpr size_t kDisplayChars = 200;

  CHistoryList(CTanselDoc& doc, ITextServices& text, const HISTORY_COLUMNS& columns);

  // Binds the list control, which a host made.
  void Attach(HWND hList);
  // Gives the list its two row pictures: the host's picture of an ordinary
  // item, whose background is ordinaryMask, and the bookmark (on black).
  // The pictures are loaded once per process, into an image list that every
  // list of the host's kind shares (the control needs LVS_SHAREIMAGELISTS).
  bool LoadPictures(UINT nOrdinaryBitmap, COLORREF ordinaryMask);
  CListView& List() { return m_list; }
  const CListView& List() const { return m_list; }

  // Hint n >= 1: row n - 1 redrawn alone. Hint <= 0, same count: the rows on
  // screen redrawn, selection kept. Hint <= 0, other count: the new count,
  // scrolled to the top, no selection, focus or anchor (as a rebuild leaves
  // a list).
  void Refresh(int nHint);
  // A cell the control asks for; false for a notice of another list.
  bool OnGetDispInfo(NMLVDISPINFOW& info) const;

  static CString16 DisplayText(const CString16& strText);
  // Local time as "%Y.%m.%d %H:%M:%S"; empty when it cannot be made.
  CString16 TimeText(int64_t tCreated) const;

  // The selection terms of the commands.
  int SelectedCount() const { return m_list.GetSelectedCount(); }
  // With exactly one row selected, that row: the selection's anchor.
  int SelectedIndex() const;
  CIndexArray SelectedIndexes() const { return m_list.GetSelectedIndexes(); }
  // Takes the anchor row out of the selection and the focus; with no anchor,
  // every row.
  void DeselectAnchor();
  // Scrolls the row fully into view, selects and focuses it, makes it the
  // anchor; other rows keep their state.
  void SelectAndShow(int nIndex);
  void SelectAll();

 private:
  CTanselDoc& m_doc;
  ITextServices& m_text;
  const HISTORY_COLUMNS m_columns;
  CListView m_list;
  int m_nOrdinaryPicture = 0;
  int m_nBookmarkPicture = 0;
};
