// Copies marked by password managers stay on the clipboard and out of the
// history.
// Catches: a password-manager mark missed (any of the three, any block size, a marker that cannot
// be read), an ordinary copy taken for a marked one, or a marked copy that changes the clipboard.
#include <regex>

#include "DocFixture.h"

namespace {

const char16_t kExclude[] = u"ExcludeClipboardContentFromMonitorProcessing";
const char16_t kViewerIgnore[] = u"Clipboard Viewer Ignore";
const char16_t kHistory[] = u"CanIncludeInClipboardHistory";

std::string Dword(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

TEST_F(DocTest, MarkedCopiesAreLeftOutAndOthersKept) {
  // What else is wrong: only ANSI text; the history marker held for a
  // moment, held for every try, or its block not lockable.
  enum { kNone, kAnsi, kHeldMoment, kHeldAlways, kNoLock };
  const struct {
    std::vector<std::pair<const char16_t*, std::string>> marks;
    int nTrouble;
    bool bCaptured;
  } cases[] = {
      {{}, kNone, true},
      {{{kExclude, ""}}, kNone, false},
      {{{kExclude, Dword(1)}}, kNone, false},  // exclude with any content
      {{{kViewerIgnore, "x"}}, kNone, false},
      {{{kHistory, Dword(0)}}, kNone, false},
      {{{kHistory, Dword(1)}}, kNone, true},
      {{{kHistory, Dword(0x100)}}, kNone, true},
      {{{kHistory, std::string(2, '\0')}}, kNone, true},  // a short block of zeros
      // The system may round a block up: the first 32 bits decide.
      {{{kHistory, Dword(0) + "\x01"}}, kNone, false},
      {{{kHistory, Dword(1) + std::string(4, '\0')}}, kNone, true},
      {{{kHistory, ""}}, kNone, true},
      {{{kHistory, Dword(1)}, {kExclude, ""}}, kNone, false},
      {{{kHistory, Dword(0)}}, kAnsi, false},
      {{{kExclude, ""}}, kAnsi, false},
      {{{kHistory, Dword(1)}}, kAnsi, true},
      // A marker that cannot be read is taken as a 0.
      {{{kHistory, Dword(1)}}, kHeldMoment, true},
      {{{kHistory, Dword(1)}}, kHeldAlways, false},
      {{{kHistory, Dword(1)}}, kNoLock, false},
      {{{u"Rich Text Format", "x"}}, kNone, true},  // another registered format
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    m_doc->ClearList();
    if (c.nTrouble == kAnsi)
      m_clip.SetAnsi("secret");
    else
      m_clip.SetUnicode(u"secret");
    for (const auto& [name, data] : c.marks) m_clip.m_content[m_clip.RegisterFormat(name)] = data;
    m_clip.m_fails["fetch"] = c.nTrouble == kHeldMoment   ? 5
                              : c.nTrouble == kHeldAlways ? CTanselDoc::kClipboardRetries
                                                          : 0;
    m_clip.m_nFailLockFormat = c.nTrouble == kNoLock ? m_clip.RegisterFormat(kHistory) : 0;
    Log();
    m_doc->CaptureClipboard();
    EXPECT_EQ(m_doc->GetItemCount(), c.bCaptured ? 1 : 0);
    // Read and released, never written, nobody told: the text is still there to paste.
    const std::string log = Log();
    const bool bReadOnly = std::regex_match(log, std::regex("attach( fetch(\\*[0-9]+)?)* release"));
    EXPECT_TRUE(c.bCaptured || bReadOnly) << log;
  }
}

TEST_F(DocTest, AnActivationsOwnNoticeIsSkippedEvenWhenItFindsAMarker) {
  Fill("after|kept");
  m_clip.m_fnViewer = [this] {
    m_clip.m_content[m_clip.RegisterFormat(kHistory)] = Dword(0);
    m_doc->CaptureClipboard();
  };
  ASSERT_TRUE(m_doc->ActivateItem(1));
  m_clip.m_fnViewer = nullptr;
  const int nRegistered = m_clip.m_nRegistrations;
  Copy(u"last");  // the flag did not outlive the notice
  EXPECT_EQ(History(), "last|kept|after");
  EXPECT_EQ(m_clip.m_nRegistrations, nRegistered) << "the markers are registered once";
}

}  // namespace
