#pragma once
// Whether a text matches the search criteria: the first occurrence of the
// search text, ignoring case unless asked, standing alone as a word when
// asked. Searching walks every item, so the lowered search text is kept
// between calls and every text is lowered into the same buffer: no two
// fresh copies per item.
#include "base/Text.h"
#include "core/ClipItem.h"
#include "core/TextServices.h"

class CFindMatcher {
 public:
  explicit CFindMatcher(ITextServices& text) : m_text(text) {}
  CFindMatcher(const CFindMatcher&) = delete;
  CFindMatcher& operator=(const CFindMatcher&) = delete;

  bool Matches(const FIND_CRITERIA& criteria, const CString16& strText);

 private:
  ITextServices& m_text;
  bool m_bLoweredPatternValid = false;
  CString16 m_strLoweredPatternOf;  // the search text the lowered form belongs to
  CString16 m_strLoweredPattern;
  CString16 m_strScratch;
};
