// Case mapping, classification and time formatting over Win32 and the C
// runtime.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "ui/TextServicesWin32.h"

namespace {

class TextServicesWin32Test : public ::testing::Test {
 protected:
  std::u16string Mapped(std::u16string text, bool upper) {
    m_services.MapCase(&text[0], text.size(), upper);
    return text;
  }
  CTextServicesWin32 m_services;
};

TEST_F(TextServicesWin32Test, MapsCaseOfWholeSpans) {
  struct Case {
    std::u16string text;
    bool upper;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"hello World 123_x", true, u"HELLO WORLD 123_X"},
      {u"Hello WORLD 123_X", false, u"hello world 123_x"},
      {u"caf\u00E9 \u00E0\u00EF", true, u"CAF\u00C9 \u00C0\u00CF"},
      {u"CAF\u00C9 \u00C0\u00CF", false, u"caf\u00E9 \u00E0\u00EF"},
      // Mapping keeps the length: sharp s has no one-unit capital.
      {u"stra\u00DFe", true, u"STRA\u00DFE"},
      {u"\u03B1\u03B2\u03B3 \u03C9", true, u"\u0391\u0392\u0393 \u03A9"},
      {u"\u0391\u0392\u0393 \u03A9", false, u"\u03B1\u03B2\u03B3 \u03C9"},
      {u"\u0436\u0443\u043A", true, u"\u0416\u0423\u041A"},
      {u"", true, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(Mapped(c.text, c.upper), c.expected);
}

TEST_F(TextServicesWin32Test, MapCaseStaysInsideItsSpan) {
  std::u16string text = u"abcdef";
  m_services.MapCase(&text[1], 3, true);
  EXPECT_EQ(text, u"aBCDef");
}

TEST_F(TextServicesWin32Test, MapsCaseOfLongTexts) {
  std::u16string text;
  for (int i = 0; i < 300000; ++i) text += u"a\u00E9Z ";
  const std::u16string upper = Mapped(text, true);
  ASSERT_EQ(upper.size(), text.size());
  for (size_t i = 0; i < upper.size(); i += 4)
    ASSERT_EQ(upper.substr(i, 4), u"A\u00C9Z ") << "at " << i;
}

constexpr uint8_t A = ITextServices::kAlnum;
constexpr uint8_t U = ITextServices::kUpper;

TEST_F(TextServicesWin32Test, ClassifiesLettersDigitsAndTheRest) {
  struct Case {
    char16_t ch;
    uint8_t expected;
  };
  const Case cases[] = {
      {u'a', A},          {u'z', A},          {u'A', A | U},      {u'Z', A | U},
      {u'0', A},          {u'9', A},          {u'_', 0},          {u' ', 0},
      {u'\t', 0},         {u'-', 0},          {u'.', 0},          {u'\u00E9', A},
      {u'\u00C9', A | U}, {u'\u00DF', A},     {u'\u03B1', A},     {u'\u03A9', A | U},
      {u'\u0436', A},     {u'\u0416', A | U}, {u'\u4E2D', A},     {u'\u00A0', 0},
  };
  std::u16string text;
  for (const auto& c : cases) text += c.ch;
  std::vector<uint8_t> flags(text.size(), 0xFF);
  m_services.Classify(text.c_str(), text.size(), flags.data());
  for (size_t i = 0; i < text.size(); ++i)
    EXPECT_EQ(flags[i], cases[i].expected) << "unit U+" << std::hex << int(cases[i].ch);
}

TEST_F(TextServicesWin32Test, ClassifiesLongTextsUnitByUnit) {
  const std::u16string pattern = u"aA_1 \u00E9\u00C9";
  const uint8_t expected[] = {A, A | U, 0, A, 0, A, A | U};
  std::u16string text;
  while (text.size() < 20000) text += pattern;
  std::vector<uint8_t> flags(text.size() + 1, 0xEE);
  m_services.Classify(text.c_str(), text.size(), flags.data());
  for (size_t i = 0; i < text.size(); ++i)
    ASSERT_EQ(flags[i], expected[i % pattern.size()]) << "at " << i;
  EXPECT_EQ(flags[text.size()], 0xEE);  // nothing written past the span
}

std::tm FixedTime() {
  std::tm t = {};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 1;
  t.tm_mday = 3;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  t.tm_wday = 2;
  t.tm_yday = 33;
  return t;
}

TEST_F(TextServicesWin32Test, FormatsTheTenStampFormats) {
  struct Case {
    std::u16string format;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"%Y.%m.%d", u"2026.02.03"},
      {u"%Y-%m-%d", u"2026-02-03"},
      {u"%Y.%m.%d %H-%M-%S", u"2026.02.03 09-05-07"},
      {u"%Y-%m-%d %H-%M-%S", u"2026-02-03 09-05-07"},
      {u"%Y-%m-%d_%H-%M-%S", u"2026-02-03_09-05-07"},
      {u"%H-%M-%S", u"09-05-07"},
      {u"%H.%M.%S", u"09.05.07"},
      {u"%Y%m%d", u"20260203"},
      {u"%H%M%S", u"090507"},
      {u"%Y%m%d%H%M%S", u"20260203090507"},
      {u"%Y.%m.%d %H:%M:%S", u"2026.02.03 09:05:07"},
  };
  for (const auto& c : cases) {
    std::u16string out = u"stale";
    EXPECT_TRUE(m_services.FormatTime(c.format, FixedTime(), 128, out));
    EXPECT_EQ(out, c.expected);
  }
}

TEST_F(TextServicesWin32Test, FormatTimeFailsWhenTheResultDoesNotFit) {
  struct Case {
    std::u16string format;
    size_t capacity;
    bool fits;
  };
  const Case cases[] = {
      {u"%Y%m%d%H%M%S", 15, true},  {u"%Y%m%d%H%M%S", 14, false},
      {u"%Y", 5, true},             {u"%Y", 4, false},
      {std::u16string(127, u'x'), 128, true},
      {std::u16string(128, u'x'), 128, false},
      {u"%Y", 0, false},
  };
  for (const auto& c : cases) {
    std::u16string out = u"stale";
    EXPECT_EQ(m_services.FormatTime(c.format, FixedTime(), c.capacity, out), c.fits)
        << c.format.size() << " units into " << c.capacity;
    if (c.fits) {
      EXPECT_LT(out.size(), c.capacity);
    } else {
      EXPECT_TRUE(out.empty());
    }
  }
}

TEST_F(TextServicesWin32Test, LocalTimeOfNowConvertsBack) {
  const int64_t now = m_services.Now();
  EXPECT_GT(now, 1700000000);  // after November 2023
  std::tm local = {};
  ASSERT_TRUE(m_services.ToLocalTime(now, local));
  EXPECT_EQ(_mktime64(&local), now);
}

TEST_F(TextServicesWin32Test, LocalTimeRejectsTimesTheRuntimeCannotConvert) {
  std::tm local = {};
  EXPECT_FALSE(m_services.ToLocalTime(-1, local));
  EXPECT_FALSE(m_services.ToLocalTime(int64_t(1) << 40, local));  // beyond the year 3000
}

}  // namespace
