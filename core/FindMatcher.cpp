#include "core/FindMatcher.h"

#include "core/TextCase.h"

bool CFindMatcher::Matches(const FIND_CRITERIA& criteria, const CString16& strText) {
  size_t nPos;
  if (criteria.bMatchCase) {
    nPos = strText.find(criteria.strText);
  } else {
    // The criteria are edited in place between searches: a changed search
    // text is lowered afresh.
    if (!m_bLoweredPatternValid || m_strLoweredPatternOf != criteria.strText) {
      m_strLoweredPatternOf = criteria.strText;
      LowerInto(m_text, criteria.strText.data(), criteria.strText.size(), m_strLoweredPattern);
      m_bLoweredPatternValid = true;
    }
    LowerInto(m_text, strText.data(), strText.size(), m_strScratch);
    nPos = m_strScratch.find(m_strLoweredPattern);
  }
  if (nPos == CString16::npos) return false;
  if (!criteria.bWholeWord) return true;
  // Only the first occurrence counts, even if a later one stands alone.
  const size_t nEnd = nPos + criteria.strText.size();
  const bool bStartAlone = nPos == 0 || !IsAlnumChar(m_text, strText[nPos - 1]);
  const bool bEndAlone = nEnd >= strText.size() || !IsAlnumChar(m_text, strText[nEnd]);
  return bStartAlone && bEndAlone;
}
