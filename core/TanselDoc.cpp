#include "core/TanselDoc.h"

#include <algorithm>
#include <string>

#include "settings/ApplicationRegistry.h"

CInvalidArgException::CInvalidArgException(int nIndex)
    : std::out_of_range("no history item at index " + std::to_string(nIndex)), m_nIndex(nIndex) {}

CTanselDoc::CTanselDoc(IClipboard& clipboard, ITextServices& text)
    : m_clipboard(clipboard),
      m_oPrivateFormats(PRIVATE_FORMATS::Register(clipboard)),
      m_text(text),
      m_oTransform(text),
      m_oMatcher(text) {
  LoadLimits();
  // The predicate reaches the criteria and the matcher through the document.
  m_lstItems.SetFindFunction(&CTanselDoc::MatchFindCriteria);
  m_lstItems.SetFindContext(this);
}

void CTanselDoc::AddView(IHistoryView* pView) { m_views.push_back(pView); }

void CTanselDoc::RemoveView(IHistoryView* pView) {
  m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
}

CLIP_ITEM* CTanselDoc::GetItem(int nIndex) const {
  return m_lstItems.IsValidIndex(nIndex) ? m_lstItems.GetAt(nIndex) : nullptr;
}

CLIP_ITEM* CTanselDoc::ItemAt(int nIndex) const {
  if (!m_lstItems.IsValidIndex(nIndex)) throw CInvalidArgException(nIndex);
  return m_lstItems.GetAt(nIndex);
}

int CTanselDoc::IndexOf(uint64_t nSerial) const {
  for (int i = 0, n = GetItemCount(); i < n; ++i)
    if (m_lstItems.GetAt(i)->nSerial == nSerial) return i;
  return -1;
}

void CTanselDoc::AddItem(CString16 strText) {
  auto pItem = std::make_unique<CLIP_ITEM>();
  pItem->strText = std::move(strText);
  pItem->nSerial = ++m_nLastSerial;
  m_lstItems.AddHead(std::move(pItem));
  if (m_lstItems.GetCount() > m_nBufferSize) m_lstItems.RemoveTailAndDelete();
  NotifyChange(-1);
}

void CTanselDoc::NotifyChange(int nIndex) {
  const int nHint = nIndex + 1;
  // A view may detach itself while it updates.
  const std::vector<IHistoryView*> views = m_views;
  for (IHistoryView* pView : views) pView->OnUpdate(nHint);
  if (m_pMainWnd) m_pMainWnd->PostHistoryChanged(nHint);
}

void CTanselDoc::LoadLimits() {
  {
    CApplicationRegistry reg;
    m_nBufferSize = reg.GetBufferSize();
    m_nMaxClipboardCopySize = reg.GetMaxClipboardCopySize();
  }
  // A negative limit empties the list; it cannot take more than there is.
  while (m_lstItems.GetCount() > m_nBufferSize && !m_lstItems.IsEmpty())
    m_lstItems.RemoveTailAndDelete();
  NotifyChange(-1);
}

void CTanselDoc::EscapeForDisplay(CString16& strText) {
  // One pass building the result; the three replacements do not interact,
  // so doing them together equals doing them one after another.
  size_t nExtra = 0;
  for (char16_t c : strText) {
    if (c == u'\t')
      nExtra += 4;
    else if (c == u'\r' || c == u'\n')
      nExtra += 3;
  }
  if (nExtra == 0) return;
  CString16 out;
  out.reserve(strText.size() + nExtra);
  for (char16_t c : strText) {
    switch (c) {
      case u'\t':
        out += u"<TAB>";
        break;
      case u'\r':
        out += u"<CR>";
        break;
      case u'\n':
        out += u"<LF>";
        break;
      default:
        out.push_back(c);
    }
  }
  strText.swap(out);
}
