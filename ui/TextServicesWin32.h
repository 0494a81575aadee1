#pragma once
// The history's text services over Win32 and the C runtime: case mapping and
// classification by the user's default locale, each a few bulk calls over the
// whole span, and the runtime's 64-bit clock and wcsftime.
#include "core/TextServices.h"

class CTextServicesWin32 : public ITextServices {
 public:
  void MapCase(char16_t* text, size_t length, bool upper) override;
  void Classify(const char16_t* text, size_t length, uint8_t* flags) override;

  int64_t Now() override;
  bool ToLocalTime(int64_t time, std::tm& out) override;
  bool FormatTime(const CString16& format, const std::tm& time, size_t capacity,
                  CString16& out) override;
};
