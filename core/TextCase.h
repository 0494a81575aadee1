#pragma once
// Case mapping and classification with an inline path for ASCII, which is
// mapped and classified the usual way in every locale; only text beyond ASCII
// goes to the platform, in bulk.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/TextServices.h"

// Maps a span in place.
void MapCase(ITextServices& text, char16_t* p, size_t n, bool upper);
inline void MapCase(ITextServices& text, CString16& s, bool upper) {
  MapCase(text, &s[0], s.size(), upper);
}
// Writes the lower-case form of [src, src + n) into dst, reusing its buffer.
void LowerInto(ITextServices& text, const char16_t* src, size_t n, CString16& dst);
char16_t UpperChar(ITextServices& text, char16_t c);

bool IsAlnumChar(ITextServices& text, char16_t c);

// Classification flags of every unit of a text; beyond ASCII computed by the
// platform in one call.
class CCharFlags {
 public:
  CCharFlags(ITextServices& text, const char16_t* p, size_t n);
  uint8_t operator[](size_t i) const {
    if (i < m_nAscii) return AsciiFlags(m_p[i]);
    return m_flags[i - m_nAscii];
  }
  bool IsAllAscii() const { return m_flags.empty(); }
  static uint8_t AsciiFlags(char16_t c) {
    return (AsciiAlnum(c) ? ITextServices::kAlnum : 0) |
           ((c >= u'A' && c <= u'Z') ? ITextServices::kUpper : 0);
  }

 private:
  const char16_t* m_p;
  size_t m_nAscii;  // length of the leading all-ASCII run
  std::vector<uint8_t> m_flags;
};
