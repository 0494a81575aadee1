// Case mapping, classification and time formatting over Win32 and the C
// runtime.
// Catches: case mapping, classification or time formatting that differs from the runtime beyond
// ASCII or at the buffer's edge.
#include <gtest/gtest.h>

#include <ctime>
#include <iterator>
#include <string>
#include <vector>

#include "ui/TextServicesWin32.h"

namespace {

TEST(TextServicesWin32Test, MapsCaseBeyondAsciiInsideItsSpan) {
  const struct {
    std::u16string text;
    bool upper;
    std::u16string expected;
  } cases[] = {
      {u"hello World 123_x", true, u"HELLO WORLD 123_X"},
      {u"CAF\u00C9 \u00C0\u00CF", false, u"caf\u00E9 \u00E0\u00EF"},
      {u"stra\u00DFe", true, u"STRA\u00DFE"},  // sharp s has no one-unit capital
      {u"\u03B1\u03B2\u03B3 \u03C9", true, u"\u0391\u0392\u0393 \u03A9"},
      {u"\u0416\u0423\u041A", false, u"\u0436\u0443\u043A"},
  };
  CTextServicesWin32 services;
  for (auto c : cases) {
    services.MapCase(&c.text[0], c.text.size(), c.upper);
    EXPECT_EQ(c.text, c.expected);
  }
  std::u16string text = u"abcdef";
  services.MapCase(&text[1], 3, true);
  EXPECT_EQ(text, u"aBCDef");
}

TEST(TextServicesWin32Test, ClassifiesEveryUnitOfLongTexts) {
  constexpr uint8_t A = ITextServices::kAlnum, U = ITextServices::kUpper;
  const struct {
    char16_t ch;
    uint8_t flags;
  } units[] = {
      {u'a', A},          {u'Z', A | U},  {u'0', A},      {u'9', A},          {u'_', 0},
      {u' ', 0},          {u'-', 0},      {u'\u00E9', A}, {u'\u00C9', A | U}, {u'\u00DF', A},
      {u'\u03A9', A | U}, {u'\u0436', A}, {u'\u4E2D', A}, {u'\u00A0', 0},
  };
  // Longer than one classification chunk, with a guard after the span.
  std::u16string text;
  while (text.size() < 10000)
    for (const auto& u : units) text += u.ch;
  std::vector<uint8_t> flags(text.size() + 1, 0xEE);
  CTextServicesWin32().Classify(text.c_str(), text.size(), flags.data());
  for (size_t i = 0; i < text.size(); ++i)
    ASSERT_EQ(flags[i], units[i % std::size(units)].flags) << "at " << i;
  EXPECT_EQ(flags.back(), 0xEE);
}

TEST(TextServicesWin32Test, FormatsTheStampsWithinTheCapacity) {
  const std::tm t = {7, 5, 9, 3, 1, 126, 0, 0, 0};  // 2026-02-03 09:05:07
  const struct {
    std::u16string format;
    size_t capacity;
    const char16_t* expected;  // null: does not fit
  } cases[] = {
      // Every field and separator of the stamps.
      {u"%Y.%m.%d %H-%M-%S", 128, u"2026.02.03 09-05-07"},
      {u"%Y-%m-%d_%H.%M.%S", 128, u"2026-02-03_09.05.07"},
      // The capacity counts the terminator.
      {u"%Y%m%d%H%M%S", 15, u"20260203090507"},
      {u"%Y%m%d%H%M%S", 14, nullptr},
      {u"%Y", 4, nullptr},
      {u"", 1, u""},
      {u"", 0, nullptr},
  };
  CTextServicesWin32 services;
  for (const auto& c : cases) {
    std::u16string out = u"stale";
    EXPECT_EQ(services.FormatTime(c.format, t, c.capacity, out), c.expected != nullptr)
        << c.format.size() << " units into " << c.capacity;
    EXPECT_EQ(out, c.expected ? c.expected : u"");
  }
}

}  // namespace
