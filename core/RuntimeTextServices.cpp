// Text services over the C++ runtime, for the native build and its tests.
#include <clocale>
#include <cwchar>
#include <cwctype>

#include "core/TextServices.h"

namespace {

class CRuntimeTextServices : public ITextServices {
 public:
  CRuntimeTextServices() { std::setlocale(LC_CTYPE, ""); }

  void MapCase(char16_t* p, size_t n, bool upper) override {
    for (size_t i = 0; i < n; ++i) {
      // Surrogates are left alone: a lone unit is no character.
      if (p[i] >= 0xD800 && p[i] < 0xE000) continue;
      const wint_t c = p[i];
      const wint_t m = upper ? std::towupper(c) : std::towlower(c);
      // A mapping beyond one unit (possible where wint_t is 32 bits) is skipped.
      const unsigned long mapped = m;
      if (mapped < 0x10000ul) p[i] = static_cast<char16_t>(mapped);
    }
  }

  void Classify(const char16_t* p, size_t n, uint8_t* flags) override {
    for (size_t i = 0; i < n; ++i) {
      const bool bSurrogate = p[i] >= 0xD800 && p[i] < 0xE000;
      const wint_t c = p[i];
      flags[i] = static_cast<uint8_t>((!bSurrogate && std::iswalnum(c) ? kAlnum : 0) |
                                      (!bSurrogate && std::iswupper(c) ? kUpper : 0));
    }
  }

  int64_t Now() override { return static_cast<int64_t>(std::time(nullptr)); }

  bool ToLocalTime(int64_t t, std::tm& out) override {
    const std::time_t tt = static_cast<std::time_t>(t);
#ifdef _WIN32
    return localtime_s(&out, &tt) == 0;
#else
    return localtime_r(&tt, &out) != nullptr;
#endif
  }

  bool FormatTime(const CString16& format, const std::tm& tm, size_t capacity,
                  CString16& out) override {
    std::wstring wfmt(format.begin(), format.end());
    // One unit of slack: some runtimes accept a result that fills the buffer
    // exactly, leaving no room for the terminator, so the fit is decided here.
    std::wstring buf(capacity + 1, L'\0');
    const size_t n = std::wcsftime(&buf[0], capacity + 1, wfmt.c_str(), &tm);
    if ((n == 0 && !format.empty()) || n >= capacity) return false;
    out.assign(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
    return true;
  }
};

}  // namespace

ITextServices& RuntimeTextServices() {
  static CRuntimeTextServices services;
  return services;
}
