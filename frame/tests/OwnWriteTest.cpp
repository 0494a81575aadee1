// The program's own clipboard writes, through the real adapter and the real
// chain. The system calls the frame back from inside CloseClipboard, so the
// capture of an own write runs while the write is still on the stack.
// Catches: the program's own clipboard write captured twice, or a capture that finds the clipboard
// still open for writing while the close announces the change.
#include "core/tests/HistoryTexts.h"
#include "frame/tests/ChainTestSupport.h"

namespace {

class OwnWriteTest : public ChainTest {
 protected:
  // A frame at the head with a viewer V1 after it, and a history of "a", "b".
  void SetUp() override {
    ChainTest::SetUp();
    m_viewer = std::make_unique<CTestViewer>("V1");
    m_frame = MakeFrame();
    CopyText(L"b");
    ASSERT_TRUE(WaitFor([] { return LogHas("capture:b"); }));
    CopyText(L"a");
    ASSERT_TRUE(WaitFor([] { return LogHas("capture:a"); }));
    g_log.clear();
  }
  void TearDown() override {
    m_frame.reset();
    m_viewer.reset();
    ChainTest::TearDown();
  }
  std::vector<std::u16string> Texts() const { return HistoryTexts(*m_doc); }

  std::unique_ptr<CTestViewer> m_viewer;
  std::unique_ptr<CTestFrame> m_frame;
};

using V = std::vector<std::u16string>;

TEST_F(OwnWriteTest, EachOwnWriteBecomesExactlyOneNewHeadForwardedFirst) {
  const struct {
    const char* what;
    std::function<void(CTanselDoc&)> write;
    std::u16string head;
  } cases[] = {
      {"transformation", [](CTanselDoc& d) { d.ChangeCase(1, CASE_UPPER, FALSE); }, u"B"},
      {"date/time stamp", [](CTanselDoc& d) { d.InsertDateTime(u"stamp %%"); }, u"stamp %"},
      // "a" and "b" stay the two oldest items.
      {"joined items",
       [](CTanselDoc& d) {
         d.ActivateItems({d.GetItemCount() - 2, d.GetItemCount() - 1});
       },
       u"a\r\nb"},
      {"PutTextOnClipboard", [](CTanselDoc& d) { d.PutTextOnClipboard(u"appended"); }, u"appended"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const V before = Texts();
    g_log.clear();
    c.write(*m_doc);
    PumpFor(100);
    V expected{c.head};
    expected.insert(expected.end(), before.begin(), before.end());
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(ReadRawText(), c.head);
    ASSERT_FALSE(g_log.empty());
    EXPECT_EQ(g_log.front(), "V1:draw") << "the next viewer hears before the capture";
    EXPECT_TRUE(LogHas("capture:" + Utf8FromUtf16(c.head)));
  }
}

TEST_F(OwnWriteTest, ActivationMovesTheItemAndAddsNone) {
  ASSERT_TRUE(m_doc->ActivateItem(1));
  PumpFor(100);
  EXPECT_EQ(Texts(), (V{u"b", u"a"}));
  EXPECT_EQ(ReadRawText(), u"b");
  EXPECT_TRUE(LogHas("V1:draw")) << "the activation is still forwarded";
  EXPECT_FALSE(m_doc->IsSkippingClipboardChange());
  // The next copy of another program is captured as usual.
  CopyText(L"c");
  ASSERT_TRUE(WaitFor([] { return LogHas("capture:c"); }));
  EXPECT_EQ(Texts(), (V{u"c", u"b", u"a"}));
}

}  // namespace
