#pragma once
// The platform's locale-dependent text functions and its clock. Calls are bulk
// (a whole span at once) because per-character calls through the Win32 API
// would dominate every transformation of a multi-megabyte text.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "base/Text.h"

class ITextServices {
 public:
  enum : uint8_t { kAlnum = 1, kUpper = 2 };

  virtual ~ITextServices() = default;

  // Upper- or lower-cases the span in place by the user's default locale.
  virtual void MapCase(char16_t* text, size_t length, bool upper) = 0;
  // Writes kAlnum / kUpper flags for each unit of the span.
  virtual void Classify(const char16_t* text, size_t length, uint8_t* flags) = 0;

  virtual int64_t Now() = 0;
  // Local broken-down time; false when the time cannot be converted.
  virtual bool ToLocalTime(int64_t time, std::tm& out) = 0;
  // strftime-style formatting into at most capacity units including the
  // terminator; false when the result does not fit.
  virtual bool FormatTime(const CString16& format, const std::tm& time, size_t capacity,
                          CString16& out) = 0;
};

// Sets the C runtime's classification locale to the user's default and returns
// services over the C++ runtime (towupper, iswalnum, time, localtime, wcsftime).
ITextServices& RuntimeTextServices();
