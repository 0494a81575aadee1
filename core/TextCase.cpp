#include "core/TextCase.h"

#include <algorithm>

void MapCase(ITextServices& text, char16_t* p, size_t n, bool upper) {
  size_t i = 0;
  if (upper) {
    for (; i < n && IsAscii(p[i]); ++i) p[i] = AsciiUpper(p[i]);
  } else {
    for (; i < n && IsAscii(p[i]); ++i) p[i] = AsciiLower(p[i]);
  }
  // The platform maps ASCII the same way, so the rest goes in one call.
  if (i < n) text.MapCase(p + i, n - i, upper);
}

void LowerInto(ITextServices& text, const char16_t* src, size_t n, CString16& dst) {
  dst.resize(n);
  char16_t* d = &dst[0];
  char16_t any = 0;
  // Branch-free so that the compiler can vectorise the common ASCII case.
  for (size_t i = 0; i < n; ++i) {
    char16_t c = src[i];
    any |= c;
    d[i] = static_cast<char16_t>(c + (static_cast<char16_t>(c - u'A') < 26 ? 32 : 0));
  }
  if (any >= 0x80) {
    auto it = std::find_if(src, src + n, [](char16_t c) { return !IsAscii(c); });
    size_t k = static_cast<size_t>(it - src);
    text.MapCase(d + k, n - k, false);
  }
}

char16_t UpperChar(ITextServices& text, char16_t c) {
  if (IsAscii(c)) return AsciiUpper(c);
  text.MapCase(&c, 1, true);
  return c;
}

bool IsAlnumChar(ITextServices& text, char16_t c) {
  if (IsAscii(c)) return AsciiAlnum(c);
  uint8_t f = 0;
  text.Classify(&c, 1, &f);
  return (f & ITextServices::kAlnum) != 0;
}

CCharFlags::CCharFlags(ITextServices& text, const char16_t* p, size_t n) : m_p(p) {
  m_nAscii =
      static_cast<size_t>(std::find_if(p, p + n, [](char16_t c) { return !IsAscii(c); }) - p);
  if (m_nAscii < n) {
    m_flags.resize(n - m_nAscii);
    text.Classify(p + m_nAscii, n - m_nAscii, m_flags.data());
  }
}
