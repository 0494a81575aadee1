#include "settings/NoCase.h"

CString16 FoldCase(const CString16& text) {
  CString16 folded(text);
  for (char16_t& c : folded) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return folded;
}

bool EqualsNoCase(const CString16& a, const CString16& b) {
  return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}
