// Text transformations. Each builds its result in one pass over a copy of
// the item's text and delivers it in place or through the clipboard.
#include <algorithm>

#include "TanselDoc.h"
#include "TextCase.h"

void CTanselDoc::Deliver(int nIndex, CString16 strResult, BOOL bReplace) {
  if (bReplace)
    ReplaceItemText(nIndex, std::move(strResult));
  else
    PutTextOnClipboard(strResult);
}

CString16 CTanselDoc::MakeObjectText(CString16 s) const {
  if (!s.empty()) s[0] = u'o';
  return s;
}

CString16 CTanselDoc::ConvertToIDText(const CString16& s) const {
  const CCharFlags flags(m_text, s.data(), s.size());
  const bool bAscii = flags.IsAllAscii();
  CString16 out;
  out.reserve(s.size() + s.size() / 4 + 1);
  for (size_t i = 0, n = s.size(); i < n; ++i) {
    const uint8_t f = flags[i];
    const bool bAfterUnderscore = !out.empty() && out.back() == u'_';
    if (!(f & ITextServices::kAlnum)) {
      // A run of separators becomes one underscore, also at either end.
      if (!bAfterUnderscore) out.push_back(u'_');
    } else {
      if ((f & ITextServices::kUpper) && !out.empty() && !bAfterUnderscore) out.push_back(u'_');
      out.push_back(bAscii ? AsciiUpper(s[i]) : s[i]);
    }
  }
  // ASCII was raised on the way; anything else is raised by the locale.
  if (!bAscii) MapCase(m_text, out, true);
  return out;
}

CString16 CTanselDoc::ConvertFromIDText(const CString16& strText) const {
  // Lower-case first; for a text that is all ASCII that happens inline in the
  // one pass below, so a big text is read once and written once.
  const bool bAscii = std::all_of(strText.begin(), strText.end(), IsAscii);
  CString16 strLowered;
  if (!bAscii) {
    strLowered = strText;
    MapCase(m_text, strLowered, false);
  }
  const CString16& in = bAscii ? strText : strLowered;
  // Underscores go, the unit after each is raised, and so is the first.
  CString16 out(in.size(), u'\0');
  size_t nOut = 0;
  bool bRaise = true;
  for (char16_t c : in) {
    if (c == u'_') {
      bRaise = true;
      continue;
    }
    out[nOut++] = bRaise ? UpperChar(m_text, c) : (bAscii ? AsciiLower(c) : c);
    bRaise = false;
  }
  out.resize(nOut);
  return out;
}

CString16 CTanselDoc::ChangeCaseText(CString16 s, int nMode) const {
  MapCase(m_text, s, nMode == CASE_UPPER);
  if (nMode == CASE_TITLE && !s.empty()) s[0] = UpperChar(m_text, s[0]);
  return s;
}

void CTanselDoc::SmartMakeObject(int nIndex, BOOL bReplace) {
  const CString16& strText = ItemAt(nIndex)->strText;
  // An empty text has nothing to rename: the clipboard is left alone.
  if (strText.empty()) return;
  Deliver(nIndex, MakeObjectText(strText), bReplace);
}

void CTanselDoc::SmartConvertToID(int nIndex, BOOL bReplace) {
  Deliver(nIndex, ConvertToIDText(ItemAt(nIndex)->strText), bReplace);
}

void CTanselDoc::SmartConvertFromID(int nIndex, BOOL bReplace) {
  Deliver(nIndex, ConvertFromIDText(ItemAt(nIndex)->strText), bReplace);
}

void CTanselDoc::ChangeCase(int nIndex, int nMode, BOOL bReplace) {
  Deliver(nIndex, ChangeCaseText(ItemAt(nIndex)->strText, nMode), bReplace);
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
