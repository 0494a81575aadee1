#pragma once
// The clip history: an ordered list of CLIP_ITEM records, newest first,
// bounded by "BufferSize". Everything else reaches the history only through
// these operations, by item index.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/ChangeSink.h"
#include "core/ClipItem.h"
#include "core/ClipboardPort.h"
#include "core/FindMatcher.h"
#include "core/PrivateCopy.h"
#include "core/SmartTypedPtrList.h"
#include "core/TextServices.h"
#include "core/TextTransform.h"

// An item index that names no item. Raised before anything changes; the
// message loop's barrier ends the command there.
class CInvalidArgException : public std::out_of_range {
 public:
  explicit CInvalidArgException(int nIndex);
  int m_nIndex;
};

// A set of items: indexes in ascending order (newest first).
using CIndexArray = std::vector<int>;

class CTanselDoc {
 public:
  CTanselDoc(IClipboard& clipboard, ITextServices& text);
  CTanselDoc(const CTanselDoc&) = delete;
  CTanselDoc& operator=(const CTanselDoc&) = delete;

  // Change notification: views are told at once, the main window later.
  void AddView(IHistoryView* pView);
  void RemoveView(IHistoryView* pView);
  void SetMainWindow(IMainWindowNotice* pMainWnd) { m_pMainWnd = pMainWnd; }

  // Items.
  int GetItemCount() const { return m_lstItems.GetCount(); }
  CLIP_ITEM* GetItem(int nIndex) const;
  CLIP_ITEM* ItemAt(int nIndex) const;
  // Where the item with this serial is now, or -1 when it is gone: for a
  // command that asked the user first, while the history went on changing.
  int IndexOf(uint64_t nSerial) const;
  void AddItem(CString16 strText);
  void NotifyChange(int nIndex);
  void LoadLimits();
  FIND_CRITERIA* GetFindCriteria() { return &m_oFindCriteria; }
  static void EscapeForDisplay(CString16& strText);

  // Clipboard.
  // One capture per change: a second notice of a change already read or
  // skipped reads nothing. A clipboard another program holds is read again
  // later: the capture is then pending, and the main window calls
  // RetryCapture every kCaptureRetryPeriodMs until it is not.
  void CaptureClipboard();
  void RetryCapture();
  BOOL IsCapturePending() const { return m_nCaptureRetriesLeft > 0; }
  BOOL PutTextOnClipboard(const CString16& strText);
  BOOL ActivateItem(int nIndex);

  // Editing.
  void RemoveItem(int nIndex);
  void RemoveItems(const CIndexArray& arrIndexes);
  void InvertItems(const CIndexArray& arrIndexes);
  BOOL ActivateItems(const CIndexArray& arrIndexes);
  void ReplaceItemText(int nIndex, CString16 strText);
  void SetBookmark(int nIndex, BOOL bBookmark);
  void ToggleBookmark(int nIndex);
  void ClearBookmarks();
  int GetNextBookmark(int nIndex) const;
  int GetPreviousBookmark(int nIndex) const;
  void ClearList();

  // Search.
  static BOOL MatchFindCriteria(void* pCriteria, uint32_t nParam, CLIP_ITEM* pItem);
  int FindNext(int nIndex, BOOL bWrap) const;
  int FindPrevious(int nIndex) const;
  void BookmarkAll();

  // Transformations.
  void SmartMakeObject(int nIndex, BOOL bReplace);
  void SmartConvertToID(int nIndex, BOOL bReplace);
  void SmartConvertFromID(int nIndex, BOOL bReplace);
  void ChangeCase(int nIndex, int nMode, BOOL bReplace);
  void SmartConvertToIDItems(const CIndexArray& arrIndexes);
  void SmartConvertFromIDItems(const CIndexArray& arrIndexes);
  void ChangeCaseItems(const CIndexArray& arrIndexes, int nMode);
  void InsertDateTime(const CString16& strFormat);

  // Retries of a clipboard call that fails because another program holds
  // the clipboard; they run back to back, so the bound is what stops a
  // clipboard held forever from hanging the program.
  static constexpr int kClipboardRetries = 100;
  // A held clipboard is tried again this often, for at most 2 s: long
  // enough for the tools that hold it a moment after each copy, short
  // enough that one holding it forever soon costs nothing.
  static constexpr unsigned kCaptureRetryPeriodMs = 50;
  static constexpr int kCaptureRetryTicks = 2000 / kCaptureRetryPeriodMs;

  BOOL IsSkippingClipboardChange() const { return m_bSkipClipboardChange; }

 private:
  void Deliver(int nIndex, CString16 strResult, BOOL bReplace);
  // Reads the clipboard's text in one format; false when nothing is captured.
  bool ReadFormat(unsigned nFormat, CString16& strText);
  // Captures until no notice came meanwhile; false when the clipboard could
  // not be attached.
  bool CaptureLatest();
  // Reads the clipboard unless its change (by this number) is the one read
  // last; false when it could not be attached.
  bool TryCapture(uint32_t nSequence);

  // Members in the documented order.
  CSmartTypedPtrList<CLIP_ITEM> m_lstItems;
  int32_t m_nBufferSize = 0;
  uint64_t m_nLastSerial = 0;
  uint32_t m_nMaxClipboardCopySize = 0;
  BOOL m_bSkipClipboardChange = FALSE;
  // The clipboard change read or skipped last (0: none, or a system that
  // does not number them), and the one an activation made.
  uint32_t m_nLastSequence = 0;
  uint32_t m_nSkipSequence = 0;
  // Timer ticks left while a capture waits for a held clipboard.
  int m_nCaptureRetriesLeft = 0;
  BOOL m_bCapturing = FALSE;
  BOOL m_bNoticeWhileCapturing = FALSE;
  BOOL m_bReplacingClipboard = FALSE;
  FIND_CRITERIA m_oFindCriteria;

  IClipboard& m_clipboard;
  // The markers of copies that stay out of the history, registered once.
  const PRIVATE_FORMATS m_oPrivateFormats;
  ITextServices& m_text;
  CTextTransform m_oTransform;
  // Search is const to the history; the matcher's buffers are not.
  mutable CFindMatcher m_oMatcher;
  std::vector<IHistoryView*> m_views;
  IMainWindowNotice* m_pMainWnd = nullptr;
};
