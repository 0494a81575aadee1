// Text transformations: the result of a text function over a copy of the
// item's text, delivered in place or through the clipboard.
#include "core/TanselDoc.h"

void CTanselDoc::Deliver(int nIndex, CString16 strResult, BOOL bReplace) {
  if (bReplace)
    ReplaceItemText(nIndex, std::move(strResult));
  else
    PutTextOnClipboard(strResult);
}

void CTanselDoc::SmartMakeObject(int nIndex, BOOL bReplace) {
  const CString16& strText = ItemAt(nIndex)->strText;
  // An empty text has nothing to rename: the clipboard is left alone.
  if (strText.empty()) return;
  Deliver(nIndex, CTextTransform::MakeObjectText(strText), bReplace);
}

void CTanselDoc::SmartConvertToID(int nIndex, BOOL bReplace) {
  Deliver(nIndex, m_oTransform.ConvertToIDText(ItemAt(nIndex)->strText), bReplace);
}

void CTanselDoc::SmartConvertFromID(int nIndex, BOOL bReplace) {
  Deliver(nIndex, m_oTransform.ConvertFromIDText(ItemAt(nIndex)->strText), bReplace);
}

void CTanselDoc::ChangeCase(int nIndex, int nMode, BOOL bReplace) {
  Deliver(nIndex, m_oTransform.ChangeCaseText(ItemAt(nIndex)->strText, nMode), bReplace);
}

void CTanselDoc::SmartConvertToIDItems(const CIndexArray& arrIndexes) {
  for (int n : arrIndexes) SmartConvertToID(n, TRUE);
}

void CTanselDoc::SmartConvertFromIDItems(const CIndexArray& arrIndexes) {
  for (int n : arrIndexes) SmartConvertFromID(n, TRUE);
}

void CTanselDoc::ChangeCaseItems(const CIndexArray& arrIndexes, int nMode) {
  for (int n : arrIndexes) ChangeCase(n, nMode, TRUE);
}

void CTanselDoc::InsertDateTime(const CString16& strFormat) {
  CString16 strStamp;
  std::tm tmLocal{};
  if (!m_text.ToLocalTime(m_text.Now(), tmLocal) ||
      !m_text.FormatTime(strFormat, tmLocal, 128, strStamp))
    strStamp.clear();
  // Never written into an item: the stamp comes back as a new one.
  PutTextOnClipboard(strStamp);
}
