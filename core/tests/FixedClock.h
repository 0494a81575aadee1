#pragma once
#include <ctime>

#include "core/TextServices.h"

// The runtime's locale services with a clock and a time zone chosen by the test.
class CFixedClockServices : public ITextServices {
 public:
  int64_t m_tNow = 0;
  int m_nZoneOffsetSeconds = 0;
  bool m_bFailLocalTime = false;

  void MapCase(char16_t* p, size_t n, bool upper) override {
    RuntimeTextServices().MapCase(p, n, upper);
  }
  void Classify(const char16_t* p, size_t n, uint8_t* f) override {
    RuntimeTextServices().Classify(p, n, f);
  }
  int64_t Now() override { return m_tNow; }
  bool ToLocalTime(int64_t t, std::tm& out) override {
    if (m_bFailLocalTime) return false;
    const std::time_t local = static_cast<std::time_t>(t + m_nZoneOffsetSeconds);
    const std::tm* utc = std::gmtime(&local);
    return utc && (out = *utc, true);
  }
  bool FormatTime(const CString16& f, const std::tm& tm, size_t cap, CString16& out) override {
    return RuntimeTextServices().FormatTime(f, tm, cap, out);
  }
};
