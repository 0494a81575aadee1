// Catches: removals, inversions, joins and replacements that touch the wrong items, forget to
// refresh the clipboard after the head changed, or notify with the wrong hint; bookmarks that are
// not cleared everywhere or are not found wrapping around.
#include "DocFixture.h"

TEST_F(DocTest, RemovingOrInvertingTheHeadActivatesTheNewHeadAndNothingElseTouchesTheClipboard) {
  enum { kRemove, kRemoveOne, kInvert };
  const struct {
    int nOp;
    int nFill;  // of P, Q, R, S
    CIndexArray sel;
    V left;
  } cases[] = {{kRemove, 4, {0, 2}, {u"Q", u"S"}},
               {kRemoveOne, 4, {0}, {u"Q", u"R", u"S"}},
               {kRemove, 4, {1}, {u"P", u"R", u"S"}},
               {kRemove, 4, {1, 3}, {u"P", u"R"}},
               {kRemove, 4, {3}, {u"P", u"Q", u"R"}},
               {kRemoveOne, 3, {1}, {u"P", u"R"}},
               {kRemove, 2, {0, 1}, {}},
               {kRemoveOne, 1, {0}, {}},
               {kInvert, 4, {0, 1, 2}, {u"R", u"Q", u"P", u"S"}},
               {kInvert, 4, {1, 2}, {u"P", u"R", u"Q", u"S"}},
               {kInvert, 4, {2, 3}, {u"P", u"Q", u"S", u"R"}},
               {kInvert, 4, {0, 1, 2, 3}, {u"S", u"R", u"Q", u"P"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    m_doc->ClearList();
    const std::vector<const char16_t*> all{u"P", u"Q", u"R", u"S"};
    for (int i = c.nFill - 1; i >= 0; --i) Copy(all[i]);
    m_rec.Clear();
    m_clip.m_log.clear();
    if (c.nOp == kRemoveOne) m_doc->RemoveItem(c.sel[0]);
    if (c.nOp == kRemove) m_doc->RemoveItems(c.sel);
    if (c.nOp == kInvert) m_doc->InvertItems(c.sel);
    EXPECT_EQ(Texts(), c.left) << "the activation must not be captured";
    // A new head is written; anything else leaves the clipboard alone.
    EXPECT_EQ(m_clip.Unicode(), c.left.empty() ? u"P" : c.left[0]);
    EXPECT_EQ(m_clip.m_log.empty(), c.sel[0] != 0 || c.left.empty());
    EXPECT_EQ(m_rec.m_both, (std::vector<std::string>{"view 0", "post 0"}));
  }
  m_rec.Clear();
  m_clip.m_log.clear();
  m_doc->ClearList();  // leaves the clipboard too
  EXPECT_EQ(m_doc->GetItemCount(), 0);
  EXPECT_TRUE(m_clip.m_log.empty());
  EXPECT_EQ(m_rec.m_both, (std::vector<std::string>{"view 0", "post 0"}));
  Copy(u"fresh");
  EXPECT_EQ(Texts(), (V{u"fresh"}));
}

TEST_F(DocTest, ActivatingSeveralJoinsThemWithLineBreaksAndTheJoinIsCaptured) {
  Fill({u"P", u"", u"R"});
  EXPECT_TRUE(m_doc->ActivateItems({0, 1, 2}));
  EXPECT_EQ(m_clip.Unicode(), u"P\r\n\r\nR");
  EXPECT_FALSE(m_doc->IsSkippingClipboardChange()) << "the join must come back as an item";
  // The capture of the join inside the write, then the operation's own notice;
  // the selected items stay where they are.
  EXPECT_EQ(Texts(), (V{u"P\r\n\r\nR", u"P", u"", u"R"}));
  EXPECT_EQ(m_rec.m_viewHints, (std::vector<int>{0, 0}));
  EXPECT_TRUE(m_doc->ActivateItems({1}));
  EXPECT_EQ(m_clip.Unicode(), u"P");
  m_rec.Clear();
  m_clip.m_nOpenFailures = CTanselDoc::kClipboardRetries;
  EXPECT_FALSE(m_doc->ActivateItems({0, 1}));
  EXPECT_TRUE(m_rec.m_viewHints.empty());
}

TEST_F(DocTest, ReplacingTextOfTheHeadRefreshesTheClipboardWithoutACapture) {
  Fill({u"a", u"b", u"c", u"d"});
  m_doc->SetBookmark(0, TRUE);
  m_rec.Clear();
  m_doc->ReplaceItemText(0, u"new head");
  EXPECT_EQ(m_clip.Unicode(), u"new head");
  EXPECT_EQ(Texts(), (V{u"new head", u"b", u"c", u"d"}));
  EXPECT_TRUE(m_doc->GetItem(0)->bBookmark);

  m_doc->SetBookmark(3, TRUE);
  m_rec.Clear();
  m_clip.m_log.clear();
  m_doc->ReplaceItemText(3, u"row three");
  EXPECT_EQ(m_rec.m_viewHints, std::vector<int>{4});
  EXPECT_TRUE(m_clip.m_log.empty());
  EXPECT_EQ(m_doc->GetItem(3)->strText, u"row three");
  EXPECT_TRUE(m_doc->GetItem(3)->bBookmark);
}

TEST_F(DocTest, CreationTimesAndBookmarksTravelWithTheirRecords) {
  Fill({u"P", u"Q", u"R", u"S"});
  for (int i = 0; i < 4; ++i) m_doc->GetItem(i)->tCreated = 1000 + i;
  m_doc->ReplaceItemText(0, u"P2");
  m_doc->ReplaceItemText(2, u"R2");
  m_doc->ToggleBookmark(1);
  m_doc->InvertItems({1, 2, 3});
  m_doc->ActivateItem(2);
  EXPECT_EQ(Texts(), (V{u"R2", u"P2", u"S", u"Q"}));
  std::vector<int64_t> times;
  for (int i = 0; i < 4; ++i) times.push_back(m_doc->GetItem(i)->tCreated);
  EXPECT_EQ(times, (std::vector<int64_t>{1002, 1000, 1003, 1001}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(!!m_doc->GetItem(i)->bBookmark, i == 3) << i;
}

TEST_F(DocTest, BookmarksAreSetToggledClearedAndFoundWrappingAround) {
  Fill({u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"});
  auto marked = [this] {
    std::vector<int> v;
    for (int i = 0; i < m_doc->GetItemCount(); ++i)
      if (m_doc->GetItem(i)->bBookmark) v.push_back(i);
    return v;
  };
  m_doc->ToggleBookmark(1);
  m_doc->ToggleBookmark(1);
  m_doc->ToggleBookmark(5);
  m_doc->SetBookmark(1, TRUE);
  m_doc->SetBookmark(4, TRUE);
  m_doc->SetBookmark(4, FALSE);
  EXPECT_EQ(marked(), (std::vector<int>{1, 5}));
  EXPECT_EQ(m_rec.m_viewHints, (std::vector<int>{2, 2, 6, 2, 5, 5}));
  struct Case {
    int from, next, prev;
  } cases[] = {{-1, 1, 5}, {0, 1, 5}, {1, 5, 5}, {3, 5, 1}, {5, 1, 1}, {7, 1, 5}};
  for (auto& c : cases) {
    EXPECT_EQ(m_doc->GetNextBookmark(c.from), c.next) << c.from;
    EXPECT_EQ(m_doc->GetPreviousBookmark(c.from), c.prev) << c.from;
  }
  m_doc->SetBookmark(0, TRUE);
  m_doc->SetBookmark(7, TRUE);
  m_rec.Clear();
  m_doc->ClearBookmarks();
  EXPECT_EQ(marked(), std::vector<int>{});
  EXPECT_EQ(m_rec.m_viewHints, std::vector<int>{0});
  EXPECT_EQ(m_doc->GetNextBookmark(-1), -1);
  EXPECT_EQ(m_doc->GetPreviousBookmark(-1), -1);
  m_doc->SetBookmark(4, TRUE);  // the only one wraps onto itself
  EXPECT_EQ(m_doc->GetNextBookmark(4), 4);
  EXPECT_EQ(m_doc->GetPreviousBookmark(4), 4);
}
