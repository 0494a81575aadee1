// Catches: removals, inversions, joins and replacements that touch the wrong items, forget to
// refresh the clipboard after the head changed, or notify with the wrong hint; records that lose
// their creation time or bookmark when they move or change.
#include "DocFixture.h"

TEST_F(DocTest, RemovingOrInvertingTheHeadActivatesTheNewHeadAndNothingElseTouchesTheClipboard) {
  enum { kRemove, kRemoveOne, kInvert };
  const struct {
    int nOp;
    const char* before;
    CIndexArray sel;
    const char* after;
  } cases[] = {{kRemove, "P|Q|R|S", {0, 2}, "Q|S"},
               {kRemoveOne, "P|Q|R|S", {0}, "Q|R|S"},
               {kRemoveOne, "P|Q|R", {1}, "P|R"},
               {kRemove, "P|Q|R|S", {1}, "P|R|S"},
               {kRemove, "P|Q|R|S", {1, 3}, "P|R"},
               {kRemove, "P|Q", {0, 1}, ""},
               {kRemoveOne, "P", {0}, ""},
               {kInvert, "P|Q|R|S", {0, 1, 2}, "R|Q|P|S"},
               {kInvert, "P|Q|R|S", {1, 2}, "P|R|Q|S"},
               {kInvert, "P|Q|R|S", {0, 1, 2, 3}, "S|R|Q|P"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    Fill(c.before);
    if (c.nOp == kRemoveOne) m_doc->RemoveItem(c.sel[0]);
    if (c.nOp == kRemove) m_doc->RemoveItems(c.sel);
    if (c.nOp == kInvert) m_doc->InvertItems(c.sel);
    const std::string after = c.after, head = after.substr(0, after.find('|'));
    EXPECT_EQ(History(), after) << "the activation must not be captured";
    // A new head is written; anything else leaves the clipboard alone.
    const bool bNewHead = c.sel[0] == 0 && !after.empty();
    EXPECT_EQ(Log(), bNewHead ? "open empty set close v0 p0" : "v0 p0");
    EXPECT_EQ(Utf8FromUtf16(m_clip.Unicode()), after.empty() ? "P" : head);
  }
  m_doc->ClearList();  // leaves the clipboard too
  EXPECT_EQ(Log(), "v0 p0");
  Copy(u"fresh");
  EXPECT_EQ(History(), "fresh");
}

TEST_F(DocTest, ActivatingSeveralJoinsThemWithLineBreaksAndTheJoinIsCaptured) {
  Fill("P||R");
  EXPECT_TRUE(m_doc->ActivateItems({0, 1, 2}));
  // The capture of the join inside the write, then the operation's own
  // notice; the selected items stay where they are.
  EXPECT_EQ(History(), "P\r\n\r\nR|P||R");
  EXPECT_EQ(Log(), "open empty set close attach fetch release v0 p0 v0 p0");
  m_clip.m_fails["open"] = CTanselDoc::kClipboardRetries;
  EXPECT_FALSE(m_doc->ActivateItems({0, 1}));
  EXPECT_EQ(Log(), "open*100");
}

TEST_F(DocTest, RecordsKeepTheirTimesAndBookmarksAndOnlyANewHeadIsWritten) {
  Fill("P|Q|R|S");
  for (int i = 0; i < 4; ++i) m_doc->GetItem(i)->tCreated = 1000 + i;
  m_doc->ToggleBookmark(2);
  m_doc->ReplaceItemText(0, u"P2");
  EXPECT_EQ(m_clip.Unicode(), u"P2");
  m_doc->ReplaceItemText(2, u"R2");
  m_doc->SetBookmark(3, TRUE);
  m_doc->SetBookmark(3, FALSE);
  EXPECT_EQ(Log(), "v3 p3 open empty set close v0 p0 v3 p3 v4 p4 v4 p4") << "nothing captured";
  m_doc->InvertItems({1, 2, 3});
  m_doc->ActivateItem(2);
  EXPECT_EQ(History(), "R2*|P2|S|Q");
  std::vector<int64_t> times;
  for (int i = 0; i < 4; ++i) times.push_back(m_doc->GetItem(i)->tCreated);
  EXPECT_EQ(times, (std::vector<int64_t>{1002, 1000, 1003, 1001}));
}
