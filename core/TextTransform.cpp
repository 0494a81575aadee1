#include "core/TextTransform.h"

#include <algorithm>

#include "core/TextCase.h"

const char16_t* const kDateTimeFormats[kDateTimeFormatCount] = {
    u"%Y.%m.%d",
    u"%Y-%m-%d",
    u"%Y.%m.%d %H-%M-%S",
    u"%Y-%m-%d %H-%M-%S",
    u"%Y-%m-%d_%H-%M-%S",
    u"%H-%M-%S",
    u"%H.%M.%S",
    u"%Y%m%d",
    u"%H%M%S",
    u"%Y%m%d%H%M%S",
};

CString16 CTextTransform::MakeObjectText(CString16 s) {
  if (!s.empty()) s[0] = u'o';
  return s;
}

CString16 CTextTransform::ConvertToIDText(const CString16& s) const {
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

CString16 CTextTransform::ConvertFromIDText(const CString16& strText) const {
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

CString16 CTextTransform::ChangeCaseText(CString16 s, int nMode) const {
  MapCase(m_text, s, nMode == CASE_UPPER);
  if (nMode == CASE_TITLE && !s.empty()) s[0] = UpperChar(m_text, s[0]);
  return s;
}
