// Catches: a match with the wrong case or word rule, a search that starts or wraps at the wrong
// row, an empty pattern that matches.
#include "DocFixture.h"

namespace {

struct MatchCase {
  std::u16string text, pattern;
  BOOL bMatchCase, bWholeWord, bMatch;
};

}  // namespace

TEST_F(DocTest, MatchFindCriteriaTable) {
  REQUIRE_UNICODE_LOCALE();
  const MatchCase cases[] = {
      {u"concatenate cat", u"cat", 0, 1, 0},  // only the first occurrence counts
      {u"cat food", u"cat", 0, 1, 1},
      {u"the cat", u"cat", 0, 1, 1},
      {u"CAT", u"cat", 0, 1, 1},
      {u"CAT", u"cat", 1, 1, 0},
      {u"Cat", u"cAT", 0, 0, 1},
      {u"concatenate", u"cat", 0, 0, 1},
      {u"cat_x", u"cat", 0, 1, 1},  // the underscore is no letter or digit
      {u"cat9", u"cat", 0, 1, 0},
      {u"(cat)", u"cat", 0, 1, 1},
      {u"\u00e9cat", u"cat", 0, 1, 0},  // a letter beyond ASCII joins the word
      {u"\u00c9T\u00c9", u"\u00e9t\u00e9", 0, 0, 1},
      {u"\u00c9T\u00c9", u"\u00e9t\u00e9", 1, 0, 0},
      {u"a[b", u"{", 0, 0, 0},  // the neighbours of A-Z do not fold
      {u"a@b", u"`", 0, 0, 0},
      {u"a{b", u"[", 0, 0, 0},
      {u"dog", u"cat", 0, 0, 0},
      {u"", u"cat", 0, 0, 0}};
  for (const auto& c : cases) {
    FIND_CRITERIA* pCrit = m_doc->GetFindCriteria();
    pCrit->strText = c.pattern;
    pCrit->bMatchCase = c.bMatchCase;
    pCrit->bWholeWord = c.bWholeWord;
    CLIP_ITEM item;
    item.strText = c.text;
    EXPECT_EQ(!!CTanselDoc::MatchFindCriteria(m_doc.get(), 0, &item), !!c.bMatch)
        << Utf8FromUtf16(c.text) << " / " << Utf8FromUtf16(c.pattern) << " case=" << c.bMatchCase
        << " word=" << c.bWholeWord;
  }
}

TEST_F(DocTest, FindNextAndPreviousWrapAsDocumented) {
  Fill("a cat|dog|cat|bird|CAT");
  m_doc->GetFindCriteria()->strText = u"cat";
  struct Case {
    int from;
    int nextWrap, nextNoWrap, prev;
  } cases[] = {{-1, 0, 0, 4}, {0, 2, 2, 4}, {2, 4, 4, 0}, {4, 0, -1, 2}, {3, 4, 4, 2}};
  for (auto& c : cases) {
    EXPECT_EQ(m_doc->FindNext(c.from, TRUE), c.nextWrap) << c.from;
    EXPECT_EQ(m_doc->FindNext(c.from, FALSE), c.nextNoWrap) << c.from;
    EXPECT_EQ(m_doc->FindPrevious(c.from), c.prev) << c.from;
  }
  // The only match wraps onto itself.
  m_doc->GetFindCriteria()->strText = u"bird";
  EXPECT_EQ(m_doc->FindNext(3, TRUE), 3);
  EXPECT_EQ(m_doc->FindPrevious(3), 3);
  // The criteria are edited in place between searches: a changed pattern is seen.
  m_doc->GetFindCriteria()->strText = u"DOG";
  EXPECT_EQ(m_doc->FindNext(-1, TRUE), 1);
  m_doc->GetFindCriteria()->bMatchCase = TRUE;
  EXPECT_EQ(m_doc->FindNext(-1, TRUE), -1);
}

TEST_F(DocTest, BookmarkAllSetsEachMatchAndKeepsOthers) {
  Fill("cat|dog|cat*|bird*");
  m_doc->BookmarkAll();  // an empty search text finds nothing
  EXPECT_EQ(m_doc->FindNext(-1, TRUE), -1);
  EXPECT_EQ(m_doc->FindPrevious(-1), -1);
  EXPECT_EQ(Log(), "");
  m_doc->GetFindCriteria()->strText = u"cat";
  m_doc->BookmarkAll();
  EXPECT_EQ(History(), "cat*|dog|cat*|bird*");
  // Every match notified on its own, also the one already bookmarked.
  EXPECT_EQ(Log(), "v1 p1 v3 p3");
}
