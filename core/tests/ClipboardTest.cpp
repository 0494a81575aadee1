// Catches: a capture that misreads the size limit, the terminator or ANSI text, reads one change
// twice or loses a held one, nests inside another, leaves the clipboard open or tells the views
// before it is free; a write that retries past its bound or leaves the clipboard open; an
// activation whose own change is captured or whose flag outlives it.
#include <cctype>
#include <new>
#include <optional>
#include "DocFixture.h"

const auto Block = &CFakeClipboard::Block;

TEST_F(DocTest, ACaptureTakesTheTextItsBlockHoldsWithinTheLimit) {
  enum { kNone, kNoLock, kHeldMoment, kHeldAlways };
  const std::u16string a2499999(2499999, u'a'), a499999(499999, u'a'), z20000(20000, u'z');
  const struct {
    uint32_t nUnits;                     // the limit, in millions of bytes
    std::string unicode, ansi;           // empty: no such format
    size_t nExtra;                       // block bytes beyond the text
    int nTrouble;                        // the block cannot be locked, or is held when fetched
    std::optional<std::u16string> text;  // none: nothing captured
  } cases[] = {
      // 2,499,999 characters and the terminator: exactly 5,000,000 bytes.
      {5, Block(a2499999), "", 0, kNone, a2499999},
      {5, Block(a2499999 + u"a"), "", 0, kNone, {}},
      {1, Block(a499999), "", 2, kNone, {}},  // the whole block counts, not just its text
      {1, Block(a499999), "", 0, kNone, a499999},
      // An unsigned 32-bit product: 4,295,000,000 wraps to 32,704 bytes.
      {0, Block(z20000), "", 0, kNone, {}},
      {1, Block(z20000), "", 0, kNone, z20000},
      {4295, Block(z20000), "", 0, kNone, {}},
      {4294, Block(z20000), "", 0, kNone, z20000},
      // ANSI text: limited by its block, ends at its first zero byte.
      {1, "", std::string(999999, 'a') + '\0', 0, kNone, std::u16string(999999, u'a')},
      {1, "", std::string(1000000, 'a') + '\0', 0, kNone, {}},
      {5, "", std::string("ab\0cd\0", 6), 0, kNone, u"ab"},
      {5, "", "no zero", 0, kNone, u"no zero"},
      {5, "", "caf\xe9 \x80", 0, kNone, u"caf\u00e9 \u20ac"},
      {5, Block(u"u"), std::string("ansi\0", 5), 0, kNone, u"u"},  // Unicode preferred
      {5, Block(u""), "", 0, kNone, u""},                          // empty text is an item
      {5, "", "", 0, kNone, {}},                                   // a bitmap alone
      {5, Block(u"t"), "", 0, kNoLock, {}},
      {5, Block(u"t"), "", 0, kHeldMoment, u"t"},
      {5, Block(u"t"), "", 0, kHeldAlways, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    CApplicationRegistry().SetMaxClipboardCopySize(c.nUnits);
    m_doc->LoadLimits();
    m_doc->ClearList();
    m_clip.m_content = {{2, "bitmap"}};
    if (!c.unicode.empty()) m_clip.m_content[kCfUnicodeText] = c.unicode;
    if (!c.ansi.empty()) m_clip.m_content[kCfText] = c.ansi;
    m_clip.Changed();
    m_clip.m_nExtraBlockBytes = c.nExtra;
    m_clip.m_nFailLockFormat = c.nTrouble == kNoLock ? unsigned(kCfUnicodeText) : 0;
    const int n = CTanselDoc::kClipboardRetries, nFetchFailures[] = {0, 0, n - 1, n};
    m_clip.m_fails["fetch"] = nFetchFailures[c.nTrouble];
    m_clip.m_nLocks = 0;
    Log();
    m_doc->CaptureClipboard();
    // Released on every path; the views hear of an item only after that.
    const std::string log = Log();
    EXPECT_EQ(log.substr(log.rfind(" release")), c.text ? " release v0 p0" : " release");
    ASSERT_EQ(m_doc->GetItemCount(), c.text ? 1 : 0);
    if (c.text) {
      EXPECT_TRUE(m_doc->GetItem(0)->strText == *c.text) << m_doc->GetItem(0)->strText.size();
    } else if (c.nTrouble != kNoLock) {
      EXPECT_EQ(m_clip.m_nLocks, 0) << "a block left out is not locked";
    }
  }
}

TEST_F(DocTest, FirstZeroIsFoundWhereverItStandsInALongBlock) {
  // The scan works in blocks of 32 units: zeros at and around block edges;
  // 1001 is no zero at all in a block that is not a multiple of 32 units.
  for (size_t nAt : {0u, 1u, 31u, 32u, 33u, 63u, 64u, 95u, 1000u, 1023u, 1001u}) {
    std::u16string block(nAt == 1001 ? 1001 : 1024, u'q');
    if (nAt < block.size()) block[nAt] = u'\0';
    m_clip.m_content[kCfUnicodeText] =
        std::string(reinterpret_cast<const char*>(block.data()), 2 * block.size());
    m_clip.Changed();
    m_doc->CaptureClipboard();
    EXPECT_EQ(m_doc->ItemAt(0)->strText.size(), nAt);
  }
}

TEST_F(DocTest, ClipboardIsFreeAfterAThrowAndTheNextCopyIsRead) {
  m_clip.m_fnAt["fetch"] = [] { throw std::bad_alloc(); };  // out of memory while reading
  EXPECT_THROW(Copy(u"lost"), std::bad_alloc);
  EXPECT_FALSE(m_clip.m_bAttached);
  Copy(u"next");
  EXPECT_EQ(History(), "next");
}

TEST_F(DocTest, PutTextWritesUnicodeOnlyAndClosesOnEveryPath) {
  EXPECT_TRUE(m_doc->PutTextOnClipboard(u"hello"));
  EXPECT_EQ(m_clip.Unicode(), u"hello");
  EXPECT_EQ(m_clip.m_content.size(), 1u);
  // The change is heard inside the close, once the clipboard is free, and
  // the own write comes back as the newest item.
  EXPECT_EQ(Log(), "open empty set close attach fetch release v0 p0");
  EXPECT_EQ(History(), "hello");

  m_clip.m_fnViewer = nullptr;                  // the failures below are about the write alone
  const int n = CTanselDoc::kClipboardRetries;  // 100 tries at most
  const struct {
    int nOpen, nEmpty, nSet;
    const char* log;
  } cases[] = {
      {n - 1, 0, 0, "open*100 empty set close"},
      {0, n, 0, "open empty*100 close"},
      {0, 3, 0, "open empty*4 set close"},  // held for a moment, then free
      {0, 0, 1, "open empty set close"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.log);
    m_clip.m_fails = {{"open", c.nOpen}, {"empty", c.nEmpty}, {"set", c.nSet}};
    m_clip.m_content.clear();
    const bool bSet = !c.nSet && std::string(c.log).find("set") != std::string::npos;
    EXPECT_EQ(m_doc->PutTextOnClipboard(u"x"), bSet);
    EXPECT_EQ(m_clip.Unicode(), bSet ? u"x" : u"<none>");
    EXPECT_EQ(Log(), c.log);
  }
}

TEST_F(DocTest, ActivatingMovesTheItemToTheHeadAndIsNotCapturedAgain) {
  Fill("0|1|2|3*|4");
  // A capture that runs while the clipboard is being written (a notice
  // delivered during the close) must already see the flag, and not even
  // attach.
  m_clip.m_fnAt["open"] = [&] {
    m_clip.m_log.push_back(m_doc->IsSkippingClipboardChange() ? "skipping" : "not-skipping");
  };
  EXPECT_TRUE(m_doc->ActivateItem(3));
  EXPECT_EQ(Log(), "open skipping empty set close v0 p0");
  EXPECT_EQ(m_clip.Unicode(), u"3");
  EXPECT_EQ(History(), "3*|0|1|2|4");
  EXPECT_FALSE(m_doc->IsSkippingClipboardChange());
  // An index that names no item succeeds and touches nothing.
  Log();
  EXPECT_TRUE(m_doc->ActivateItem(5));
  EXPECT_TRUE(m_doc->ActivateItem(-1));
  EXPECT_EQ(Log(), "");
  m_clip.m_fails["open"] = CTanselDoc::kClipboardRetries;
  EXPECT_FALSE(m_doc->ActivateItem(2));
  EXPECT_EQ(Log(), "open*100") << "a failed activation moves nothing and tells nobody";
  Copy(u"next");  // the flag was one-shot, and left by none of these
  EXPECT_EQ(m_doc->GetItemCount(), 6);
  // A write that fails once the clipboard was emptied: its notice, late as
  // when another viewer heads the chain, is still skipped.
  m_clip.m_bNoticeLater = true;
  m_clip.m_fails["set"] = 1;
  EXPECT_FALSE(m_doc->ActivateItem(2));
  m_clip.DeliverLaterNotices();
  EXPECT_EQ(Log(), "attach fetch release v0 p0 open empty set close") << "the emptied one was read";
}

TEST_F(DocTest, EachClipboardChangeIsCapturedOnceHoweverLateItsNoticesCome) {
  // Notices come when the system delivers them; the clipboard may have moved
  // on by then. Steps: a letter is a copy of that text, '.' a notice, '^x' a
  // copy of x made between the next notice and its opening, '<x' or '>x' one
  // of x with its notice handed in as the next capture releases the
  // clipboard or the next activation opens it, '-' a copy left
  // out (too large, no text, a password), '!' a failure if the next notice
  // attaches, '#' a system that does not number its changes, a digit the
  // activation of that item, 'O' or 'X' its failure to open the clipboard or
  // to write it once emptied. After '~' notices come late, as when a viewer
  // of another program heads the chain: ',' one more on the way, ';' all
  // those on the way delivered.
  const struct {
    const char* what;
    const char* steps;
    const char* history;
  } cases[] = {
      {"two notices of one change", "a..", "a"},
      {"the same text copied twice is two changes", "a.a.", "a|a"},
      {"a burst whose three notices come after it", "abc...", "c"},
      {"a change before the opening is read with its own number", "a^b..", "b"},
      {"unnumbered changes: every notice is read", "#a..", "a|a"},
      {"a change left out is not read again", "-.!.", ""},
      {"a notice as the capture releases: it looks once more", "a<b.", "b|a"},
      {"a notice while an activation writes announces what it overwrites", "c.b.a.>t2", "c|a|b"},
      {"an activation's change heard in the close, then again", "c.b.a.2.", "c|a|b"},
      {"another program's late notice finds the activation's text", "c.b.a.~t,2;", "c|a|b"},
      {"another program's copy after an activation", "c.b.a.~t,2;1l,;", "l|a|c|b"},
      {"an activation that cannot open leaves no flag", "c.b.a.O2d.", "d|a|b|c"},
      {"one whose write fails: the emptying's notice takes the flag", "c.b.a.X2d.", "d|a|b|c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearList();
    for (const char* p = c.steps; *p; ++p) {
      if (std::islower(*p)) m_clip.SetUnicode(std::u16string(1, *p));
      if (std::isdigit(*p)) m_doc->ActivateItem(*p - '0');
      if (*p == '.') m_doc->CaptureClipboard();
      if (*p == '#') m_clip.m_bUnnumbered = true;
      if (*p == '-') m_clip.m_content = {{2, "bitmap"}}, m_clip.Changed();
      if (*p == '!') m_clip.m_fnAt["attach"] = [] { ADD_FAILURE() << "attached again"; };
      if (*p == '^')
        m_clip.m_fnAt["attach"] = [this, t = std::u16string(1, *++p)] { m_clip.SetUnicode(t); };
      if (*p == '<' || *p == '>') {
        const char* call = *p == '<' ? "release" : "open";
        m_clip.m_fnAt[call] = [this, t = std::u16string(1, *++p)] { Copy(t); };
      }
      if (*p == 'O') m_clip.m_fails["open"] = CTanselDoc::kClipboardRetries;
      if (*p == 'X') m_clip.m_fails["set"] = 1;
      if (*p == '~') m_clip.m_bNoticeLater = true;
      if (*p == ',') ++m_clip.m_nLaterNotices;
      if (*p == ';') m_clip.DeliverLaterNotices();
    }
    EXPECT_EQ(History(), c.history);
    m_clip.m_bUnnumbered = m_clip.m_bNoticeLater = false;
    m_clip.m_fnAt.clear();
  }
}

TEST_F(DocTest, AClipboardHeldPastTheBoundIsReadAgainUntilANewerChangeOrTheEnd) {
  const int nBound = CTanselDoc::kClipboardRetries;
  const int nTicks = CTanselDoc::kCaptureRetryTicks;
  enum { kNone, kUnheard, kHeard };  // a newer copy during the wait, its notice not yet or come
  const struct {
    const char* what;
    int nHeldTries;  // attaches refused in a row
    int nTicksRun;
    int nNewer;
    const char* history;
    bool bPendingAfter;
  } cases[] = {
      {"free again at the third tick", 3 * nBound, 3, kNone, "held", false},
      {"still held after two ticks", 3 * nBound, 2, kNone, "", true},
      {"held for ever: the last tick gives up", 1000000, nTicks, kNone, "", false},
      {"a newer change, its notice not yet come, is read", 2 * nBound, 5, kUnheard, "newer", false},
      {"a newer notice replaces the wait", nBound, 0, kHeard, "newer", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearList();
    m_clip.m_fails["attach"] = c.nHeldTries;
    Log();
    Copy(u"held");
    EXPECT_TRUE(m_doc->IsCapturePending());
    EXPECT_EQ(Log(), "attach*100") << "tries without a pause";
    if (c.nNewer == kUnheard) m_clip.SetUnicode(u"newer");
    if (c.nNewer == kHeard) Copy(u"newer");
    for (int i = 0; i < c.nTicksRun; ++i) m_doc->RetryCapture();
    EXPECT_EQ(History(), c.history);
    EXPECT_EQ(m_doc->IsCapturePending() != FALSE, c.bPendingAfter);
    EXPECT_FALSE(m_clip.m_bAttached);
    // Over: a tick more reads nothing, and the next copy is read at once.
    m_clip.m_fails.clear();
    if (!c.bPendingAfter) {
      Log();
      m_doc->RetryCapture();
      EXPECT_EQ(Log(), "");
    }
    Copy(u"next");
    EXPECT_EQ(m_doc->ItemAt(0)->strText, u"next");
    EXPECT_FALSE(m_doc->IsCapturePending());
  }
  // Refused one try short of the bound: read within its own notice, no wait.
  m_doc->ClearList();
  m_clip.m_fails["attach"] = nBound - 1;
  Copy(u"at last");
  EXPECT_EQ(History(), "at last");
  EXPECT_FALSE(m_doc->IsCapturePending());
}

TEST_F(DocTest, NoticesHandedInWhileTheCaptureOpensTheClipboardDoNotNest) {
  // Wine hands this thread the next notices while it opens the clipboard:
  // a copy whose notice arrives inside the capture, which would arm the
  // next one inside the nested capture, a hundred deep.
  int nDepth = 0, nDeepest = 0, nCopies = 0;
  std::function<void()> fnNotice = [&] {
    nDeepest = std::max(nDeepest, ++nDepth);
    if (++nCopies < 100) {
      m_clip.m_fnAt["attach"] = fnNotice;
      Copy(u"copy " + std::u16string(1, static_cast<char16_t>(u'0' + nCopies % 10)));
    }
    --nDepth;
  };
  m_clip.m_fnAt["attach"] = fnNotice;
  Copy(u"first");
  EXPECT_EQ(nDeepest, 1) << "a capture ran inside another";
  // The running capture read what the clipboard held when it got it, and
  // looked once more for what came after.
  EXPECT_EQ(History(), "copy 1");
}

TEST_F(DocTest, ACopyAnnouncedWhileARetryFindsTheClipboardHeldGetsAWaitOfItsOwn) {
  m_clip.m_fails["attach"] = 1000000;
  Copy(u"held");
  for (int i = 0; i < CTanselDoc::kCaptureRetryTicks - 1; ++i) m_doc->RetryCapture();
  m_clip.m_fnAt["attach"] = [&] { Copy(u"newer"); };
  m_doc->RetryCapture();  // the last tick of the old wait
  EXPECT_TRUE(m_doc->IsCapturePending());
  m_clip.m_fails.clear();
  m_doc->RetryCapture();
  EXPECT_EQ(History(), "newer");
  EXPECT_FALSE(m_doc->IsCapturePending());
}
