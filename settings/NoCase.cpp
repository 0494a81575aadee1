#include "settings/NoCase.h"

#include <algorithm>

CString16 FoldCase(const CString16& text) {
  CString16 folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), AsciiUpper);
  return folded;
}

bool EqualsNoCase(const CString16& a, const CString16& b) {
  // Unit by unit: called for every value a key holds, so no folded copies.
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}
