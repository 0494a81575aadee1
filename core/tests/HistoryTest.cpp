// Catches: a history that drops the wrong item at its limit, keeps a bookmarked oldest, or
// changes before it rejects a bad index; a lone line break not escaped for display.
#include <ctime>

#include "DocFixture.h"

TEST_F(DocTest, TheLimitDropsTheOldestEvenBookmarkedAndAReloadTrimsWithOneNotice) {
  const int64_t tBefore = std::time(nullptr);
  for (int i = 0; i < 200; ++i) Copy(Utf16FromUtf8(std::to_string(i)));
  m_doc->SetBookmark(199, TRUE);  // the oldest, "0"
  Copy(u"200");
  // Each new item comes at the head with the time it was made.
  EXPECT_GE(m_doc->GetItem(199)->tCreated, tBefore);
  EXPECT_LE(m_doc->GetItem(0)->tCreated, std::time(nullptr));
  ASSERT_EQ(m_doc->GetItemCount(), 200);
  EXPECT_EQ(m_doc->GetItem(199)->strText, u"1");
  const struct {
    int nSize, nLeft;
  } cases[] = {{200, 200}, {10, 10}, {12, 10}, {2, 2}, {0, 0}, {-1, 0}, {-200, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nSize);
    CApplicationRegistry().SetBufferSize(c.nSize);
    Log();
    m_doc->LoadLimits();
    EXPECT_EQ(Log(), "v0 p0");
    ASSERT_EQ(m_doc->GetItemCount(), c.nLeft);
    const std::string history = History(), oldest = history.substr(history.rfind('|') + 1);
    EXPECT_EQ(oldest, c.nLeft ? std::to_string(201 - c.nLeft) : "");
  }
  Copy(u"gone");
  EXPECT_EQ(m_doc->GetItemCount(), 0);
}

TEST_F(DocTest, InvalidIndexesGiveNullOrRaiseAndChangeNothing) {
  Fill("a|b|c");
  for (int n : {-1, 3, 1000, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(m_doc->GetItem(n), nullptr) << n;
    EXPECT_THROW(m_doc->ItemAt(n), CInvalidArgException) << n;
  }
  EXPECT_THROW(m_doc->RemoveItem(3), CInvalidArgException);
  EXPECT_THROW(m_doc->InvertItems({0, 5}), CInvalidArgException);
  EXPECT_THROW(m_doc->ChangeCase(-1, CASE_UPPER, TRUE), CInvalidArgException);
  EXPECT_THROW(m_doc->SmartMakeObject(3, FALSE), CInvalidArgException);
  EXPECT_THROW(m_doc->ActivateItems({0, 9}), CInvalidArgException);
  // The walk runs from the last index: 7 fails first, so nothing went.
  EXPECT_THROW(m_doc->RemoveItems({0, 2, 7}), CInvalidArgException);
  EXPECT_EQ(History(), "a|b|c");
  // -1 is reached last: 2 and 0 are gone, and the operation ended unannounced.
  EXPECT_THROW(m_doc->RemoveItems({-1, 0, 2}), CInvalidArgException);
  EXPECT_EQ(History(), "b");
  EXPECT_EQ(Log(), "") << "nobody told, the clipboard not touched";
}

TEST(EscapeForDisplay, ALineBreakAloneIsEscapedToo) {
  CString16 lf = u"a\n", cr = u"\r";
  CTanselDoc::EscapeForDisplay(lf);
  CTanselDoc::EscapeForDisplay(cr);
  EXPECT_EQ(lf + cr, u"a<LF><CR>");
}
