// Copies marked by password managers stay on the clipboard and out of the
// history.
// Catches: a password-manager mark missed (any of the three, any block size, a marker that cannot
// be read), an ordinary copy taken for a marked one, or a marked copy that changes the clipboard.
#include "DocFixture.h"

namespace {

const char16_t kExclude[] = u"ExcludeClipboardContentFromMonitorProcessing";
const char16_t kViewerIgnore[] = u"Clipboard Viewer Ignore";
const char16_t kHistory[] = u"CanIncludeInClipboardHistory";

std::string Dword(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

class PrivateCopyTest : public DocTest {
 protected:
  unsigned Format(const char16_t* name) { return m_clip.RegisterFormat(name); }
};

TEST_F(PrivateCopyTest, MarkedCopiesAreLeftOutAndOthersKept) {
  struct MARK {
    const char16_t* name;
    std::string data;
  };
  const struct {
    const char* what;
    std::vector<MARK> marks;
    bool ansiOnly;
    int fetchFailures;
    bool failLock;  // the history marker's block
    bool captured;
  } cases[] = {
      {"no marker", {}, false, 0, false, true},
      {"exclude, empty", {{kExclude, ""}}, false, 0, false, false},
      {"exclude, any content", {{kExclude, Dword(1)}}, false, 0, false, false},
      {"viewer ignore", {{kViewerIgnore, "x"}}, false, 0, false, false},
      {"history 0", {{kHistory, Dword(0)}}, false, 0, false, false},
      {"history 1", {{kHistory, Dword(1)}}, false, 0, false, true},
      {"history, any nonzero", {{kHistory, Dword(0x100)}}, false, 0, false, true},
      {"history, a short block of zeros",
       {{kHistory, std::string(2, '\0')}},
       false,
       0,
       false,
       true},
      // The system may round a block up: the first 32 bits decide.
      {"history 0 in a longer block", {{kHistory, Dword(0) + "\x01"}}, false, 0, false, false},
      {"history 1 in a longer block",
       {{kHistory, Dword(1) + std::string(4, '\0')}},
       false,
       0,
       false,
       true},
      {"history, an empty block", {{kHistory, ""}}, false, 0, false, true},
      {"history 1 beside exclude", {{kHistory, Dword(1)}, {kExclude, ""}}, false, 0, false, false},
      {"history 0, ANSI text only", {{kHistory, Dword(0)}}, true, 0, false, false},
      {"exclude, ANSI text only", {{kExclude, ""}}, true, 0, false, false},
      {"history 1, ANSI text only", {{kHistory, Dword(1)}}, true, 0, false, true},
      // A marker that cannot be read is taken as a 0.
      {"history 1, held for a moment while it is read",
       {{kHistory, Dword(1)}},
       false,
       5,
       false,
       true},
      {"history, held for every try",
       {{kHistory, Dword(1)}},
       false,
       CTanselDoc::kClipboardRetries,
       false,
       false},
      {"history, its block cannot be locked", {{kHistory, Dword(1)}}, false, 0, true, false},
      {"another registered format", {{u"Rich Text Format", "x"}}, false, 0, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearList();
    m_rec.Clear();
    if (c.ansiOnly)
      m_clip.SetAnsi("secret");
    else
      m_clip.SetUnicode(u"secret");
    for (const MARK& mark : c.marks) m_clip.m_content[Format(mark.name)] = mark.data;
    m_clip.m_nFetchFailures = c.fetchFailures;
    m_clip.m_nFailLockFormat = c.failLock ? Format(kHistory) : 0;
    m_clip.m_log.clear();
    m_doc->CaptureClipboard();
    m_clip.m_nFailLockFormat = 0;
    m_clip.m_nFetchFailures = 0;
    EXPECT_EQ(m_doc->GetItemCount(), c.captured ? 1 : 0);
    if (!c.captured) {
      EXPECT_TRUE(m_rec.m_both.empty()) << "a left-out copy changes nothing";
      // Read and released, never written: the text is still there to paste.
      EXPECT_EQ(m_clip.m_log.front(), "attach");
      EXPECT_EQ(m_clip.m_log.back(), "release");
      for (const std::string& call : m_clip.m_log) EXPECT_NE(call, "empty");
      EXPECT_FALSE(m_clip.m_bAttached);
    }
  }
}

TEST_F(PrivateCopyTest, TheNextOrdinaryCopyIsCapturedAndAPendingSkipIsConsumed) {
  Fill({u"kept"});
  m_clip.SetUnicode(u"password");
  m_clip.m_content[Format(kExclude)] = "";
  m_doc->CaptureClipboard();
  Copy(u"after");
  EXPECT_EQ(Texts(), (V{u"after", u"kept"}));

  // An activation's own notice is skipped even when the clipboard it finds
  // carries a marker, and the flag does not outlive it.
  m_clip.m_fnViewer = [this] {
    m_clip.m_content[Format(kHistory)] = Dword(0);
    m_doc->CaptureClipboard();
  };
  ASSERT_TRUE(m_doc->ActivateItem(1));
  EXPECT_FALSE(m_doc->IsSkippingClipboardChange());
  EXPECT_EQ(Texts(), (V{u"kept", u"after"}));
  m_clip.m_fnViewer = nullptr;
  Copy(u"last");
  EXPECT_EQ(Texts(), (V{u"last", u"kept", u"after"}));
}

TEST_F(PrivateCopyTest, TheMarkersAreRegisteredOnceByName) {
  const auto registered = m_clip.m_mapRegistered;
  EXPECT_EQ(registered.size(), 3u);
  for (const char16_t* name : {kExclude, kViewerIgnore, kHistory})
    EXPECT_EQ(registered.count(name), 1u) << Utf8FromUtf16(name);
  EXPECT_EQ(m_clip.m_nRegistrations, 3);
  Copy(u"one");
  Copy(u"two");
  EXPECT_EQ(m_clip.m_nRegistrations, 3) << "no registration at a capture";
}

}  // namespace
