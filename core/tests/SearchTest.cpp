// Catches: a match with the wrong case or word rule, a search or bookmark jump that starts or
// wraps at the wrong row, an empty pattern that matches, bookmarks set or cleared with the wrong
// hint.
#include "DocFixture.h"

TEST_F(DocTest, MatchFindCriteriaTable) {
  REQUIRE_UNICODE_LOCALE();
  // Which texts of a list match, "|" between texts.
  const struct {
    const char* pattern;
    BOOL bMatchCase, bWholeWord;
    const char *texts, *matches;
  } cases[] = {
      // Only the first occurrence counts; the underscore is no letter or
      // digit; a letter beyond ASCII joins the word.
      {"cat", 0, 1, "concatenate cat|cat food|the cat|CAT|cat_x|cat9|(cat)|\u00e9cat",
       "cat food|the cat|CAT|cat_x|(cat)"},
      {"cat", 1, 1, "CAT|cat", "cat"},
      {"cAT", 0, 0, "Cat|concatenate|dog|", "Cat|concatenate"},
      {"\u00e9t\u00e9", 0, 0, "\u00c9T\u00c9", "\u00c9T\u00c9"},
      {"\u00e9t\u00e9", 1, 0, "\u00c9T\u00c9", ""},
      // The neighbours of A-Z do not fold.
      {"{`", 0, 0, "a[`b|a{@b", ""},
  };
  for (const auto& c : cases) {
    FIND_CRITERIA* pCrit = m_doc->GetFindCriteria();
    pCrit->strText = Utf16FromUtf8(c.pattern);
    pCrit->bMatchCase = c.bMatchCase;
    pCrit->bWholeWord = c.bWholeWord;
    std::string matches;
    for (const std::string& text : Split(c.texts)) {
      CLIP_ITEM item;
      item.strText = Utf16FromUtf8(text);
      if (CTanselDoc::MatchFindCriteria(m_doc.get(), 0, &item)) matches += "|" + text;
    }
    EXPECT_EQ(matches.erase(0, 1), c.matches) << c.pattern << " case=" << c.bMatchCase;
  }
}

TEST_F(DocTest, SearchesAndBookmarkJumpsWrapAroundAndBookmarkAllSetsEachMatch) {
  Fill("a cat|dog*|cat|bird|CAT*");
  m_doc->GetFindCriteria()->strText = u"cat";
  // From a row: the next match with and without wrapping, the previous, the
  // next and the previous bookmark.
  const auto walk = [&](int i) {
    std::string s;
    for (int n : {m_doc->FindNext(i, TRUE), m_doc->FindNext(i, FALSE), m_doc->FindPrevious(i),
                  m_doc->GetNextBookmark(i), m_doc->GetPreviousBookmark(i)})
      s += std::to_string(n) + ",";
    return s;
  };
  std::string found;
  for (int i = -1; i < 5; ++i) found += walk(i) + " ";
  EXPECT_EQ(found, "0,0,4,1,4, 2,2,4,1,4, 2,2,0,4,4, 4,4,0,4,1, 4,4,2,4,1, 0,-1,2,1,1, ");
  // Each match told of, also the one already bookmarked; the others kept.
  m_doc->BookmarkAll();
  EXPECT_EQ(History(), "a cat*|dog*|cat*|bird|CAT*");
  EXPECT_EQ(Log(), "v1 p1 v3 p3 v5 p5");
  // An empty search text finds nothing; then the only match and the only
  // bookmark wrap onto themselves.
  m_doc->GetFindCriteria()->strText = u"";
  m_doc->ClearBookmarks();
  m_doc->BookmarkAll();
  EXPECT_EQ(walk(2), "-1,-1,-1,-1,-1,");
  EXPECT_EQ(Log(), "v0 p0");
  m_doc->GetFindCriteria()->strText = u"bird";
  m_doc->BookmarkAll();
  EXPECT_EQ(walk(3), "3,-1,3,3,3,");
}
