// Capture of clipboard changes and activation of items.
#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/ScopeExit.h"
#include "core/TanselDoc.h"

namespace {

template <class F>
bool Retry(F f) {
  for (int i = 0; i < CTanselDoc::kClipboardRetries; ++i)
    if (f()) return true;
  return false;
}

// Length up to the first zero unit. A 5 MB text is scanned before it is
// copied, so the scan must run near memory speed: 32 units at a time with
// SSE2 where the target has it (every x86-64 does).
size_t ZeroTerminatedLength(const char16_t* p, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 32 <= n; i += 32) {
    const __m128i* v = reinterpret_cast<const __m128i*>(p + i);
    const __m128i m = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(_mm_loadu_si128(v), zero),
                                                _mm_cmpeq_epi16(_mm_loadu_si128(v + 1), zero)),
                                   _mm_or_si128(_mm_cmpeq_epi16(_mm_loadu_si128(v + 2), zero),
                                                _mm_cmpeq_epi16(_mm_loadu_si128(v + 3), zero)));
    if (_mm_movemask_epi8(m)) break;
  }
#endif
  for (; i < n; ++i)
    if (p[i] == 0) return i;
  return n;
}

}  // namespace

void CTanselDoc::CaptureClipboard() {
  // The system may hand this thread notices while it waits in a clipboard
  // call of its own (Wine does, inside OpenClipboard). One handed in while
  // this program replaces the clipboard announces a change that is being
  // overwritten: reading it, or letting it take an activation's flag, would
  // put the activated text in twice.
  if (m_bReplacingClipboard) return;
  if (m_bSkipClipboardChange) {
    // The activation's own change is the one skipped, whatever the
    // clipboard holds by now; a retry waiting for an older change is over.
    m_bSkipClipboardChange = FALSE;
    m_nLastSequence = m_nSkipSequence;
    m_nCaptureRetriesLeft = 0;
    return;
  }
  // One handed in while a capture runs would nest a capture in it, in a
  // burst deep enough for the system to stop delivering messages: it only
  // asks the running capture to look once more.
  if (m_bCapturing) {
    m_bNoticeWhileCapturing = TRUE;
    return;
  }
  // A newer notice replaces a retry still waiting for an older change.
  m_nCaptureRetriesLeft = 0;
  if (!CaptureLatest()) m_nCaptureRetriesLeft = kCaptureRetryTicks;
}

void CTanselDoc::RetryCapture() {
  if (m_nCaptureRetriesLeft <= 0) return;
  --m_nCaptureRetriesLeft;
  // Whatever the clipboard holds now: the number read at the notice may
  // have moved on with the holder's own close, and a newer change, read
  // here first, finds its own notice already served.
  if (CaptureLatest()) m_nCaptureRetriesLeft = 0;
}

bool CTanselDoc::CaptureLatest() {
  m_bCapturing = TRUE;
  const CScopeExit capturing([this] { m_bCapturing = FALSE; });
  bool bAttached;
  do {
    m_bNoticeWhileCapturing = FALSE;
    bAttached = TryCapture(m_clipboard.SequenceNumber());
  } while (bAttached && m_bNoticeWhileCapturing);
  // A change announced while a held clipboard refused this one gets the
  // whole wait of its own.
  if (!bAttached && m_bNoticeWhileCapturing) m_nCaptureRetriesLeft = kCaptureRetryTicks;
  return bAttached;
}

bool CTanselDoc::TryCapture(uint32_t nSequence) {
  // The notices of a burst of copies come late, when the clipboard has moved
  // on: each would read the newest text again and fill the history with
  // repeats. Unnumbered changes are always read.
  if (nSequence != 0 && nSequence == m_nLastSequence) return true;
  if (!Retry([&] { return m_clipboard.Attach(); })) return false;
  CString16 strText;
  bool bCaptured = false;
  {
    // Released on every way out, also when copying a huge text throws: a
    // clipboard left open would stop every other program from copying.
    const CScopeExit release([this] { m_clipboard.Release(); });
    // Open, the clipboard cannot change: this is the number of what is read
    // (newer than the one checked above when a change came in between).
    m_nLastSequence = m_clipboard.SequenceNumber();
    // A marked copy (a password) stays on the clipboard, out of the history.
    if (IsPrivateCopy(m_clipboard, m_oPrivateFormats, kClipboardRetries))
      bCaptured = false;
    else if (m_clipboard.IsFormatAvailable(kCfUnicodeText))
      bCaptured = ReadFormat(kCfUnicodeText, strText);
    else if (m_clipboard.IsFormatAvailable(kCfText))
      bCaptured = ReadFormat(kCfText, strText);
  }
  // The views update after the clipboard is free again.
  if (bCaptured) AddItem(std::move(strText));
  return true;
}

bool CTanselDoc::ReadFormat(unsigned nFormat, CString16& strText) {
  std::unique_ptr<IClipBlock> pBlock;
  if (!Retry([&] { return (pBlock = m_clipboard.Fetch(nFormat)) != nullptr; })) return false;
  const uint32_t nLimit = m_nMaxClipboardCopySize * 1000000u;  // wraps as a 32-bit product
  const size_t nSize = pBlock->Size();
  if (nSize > nLimit) return false;
  const void* pData = pBlock->Lock();
  if (!pData) return false;
  const CScopeExit unlock([&pBlock] { pBlock->Unlock(); });
  if (nFormat == kCfUnicodeText) {
    const char16_t* p = static_cast<const char16_t*>(pData);
    strText.assign(p, ZeroTerminatedLength(p, nSize / sizeof(char16_t)));
  } else {
    const char* p = static_cast<const char*>(pData);
    const char* pEnd = std::find(p, p + nSize, '\0');
    strText = m_clipboard.AnsiToUnicode(p, static_cast<size_t>(pEnd - p));
  }
  return true;
}

namespace {

// Puts a text on the clipboard; tells whether the clipboard was emptied, since
// from then on the change will be announced whatever happens next.
// bReplacing is set from the opening to the close: the notices handed in
// meanwhile announce what is being overwritten; the close announces ours.
BOOL PutText(IClipboard& clipboard, const CString16& strText, bool& bEmptied, BOOL& bReplacing) {
  bEmptied = false;
  bool bSet = false;
  bReplacing = TRUE;
  const CScopeExit replaced([&bReplacing] { bReplacing = FALSE; });
  if (Retry([&] { return clipboard.Open(); })) {
    if (Retry([&] { return clipboard.Empty(); })) {
      bEmptied = true;
      bSet = clipboard.SetUnicodeText(strText.c_str(), strText.size());
    }
    bReplacing = FALSE;
    clipboard.Close();
  }
  return bSet ? TRUE : FALSE;
}

}  // namespace

BOOL CTanselDoc::PutTextOnClipboard(const CString16& strText) {
  bool bEmptied;
  return PutText(m_clipboard, strText, bEmptied, m_bReplacingClipboard);
}

BOOL CTanselDoc::ActivateItem(int nIndex) {
  if (!m_lstItems.IsValidIndex(nIndex)) return TRUE;
  m_bSkipClipboardChange = TRUE;
  bool bEmptied;
  const BOOL bPut =
      PutText(m_clipboard, m_lstItems.GetAt(nIndex)->strText, bEmptied, m_bReplacingClipboard);
  if (bEmptied) {
    // The change's number is final only once the clipboard is closed (the
    // system adds the formats it derives then). Its notice may already
    // have come, inside the close, or may still be on the way.
    m_nSkipSequence = m_clipboard.SequenceNumber();
    if (!m_bSkipClipboardChange) m_nLastSequence = m_nSkipSequence;
  }
  if (!bPut) {
    // No change will be announced, so nothing may consume the flag.
    if (!bEmptied) m_bSkipClipboardChange = FALSE;
    return FALSE;
  }
  if (nIndex != 0) m_lstItems.AddHead(m_lstItems.RemoveAt(nIndex));
  NotifyChange(-1);
  return TRUE;
}
