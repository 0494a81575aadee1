#pragma once
// A document over an in-memory clipboard, an in-memory settings store and a
// clock fixed by the test. Tests state what they expect as strings: the
// history as History() shows it, and the clipboard's calls and the notices
// heard, in their order, as Log() shows them.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FakeClipboard.h"
#include "FixedClock.h"
#include "core/TanselDoc.h"
#include "settings/ApplicationRegistry.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"

// The tables with text beyond ASCII need a locale that maps it; with LANG
// unset the runtime's "C" locale knows ASCII alone.
#define REQUIRE_UNICODE_LOCALE()                                                         \
  ASSERT_TRUE(CTextTransform(m_text).ChangeCaseText(u"\u00e9", CASE_UPPER) == u"\u00c9") \
      << "run the tests with a UTF-8 locale (LC_ALL=C.UTF-8, as ctest does)"

// "a|b||c" as {"a", "b", "", "c"}.
inline std::vector<std::string> Split(const std::string& s) {
  std::vector<std::string> parts;
  std::stringstream in(s + "|");
  for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
  return parts;
}

// The fixture is the document's view and main window: their notices go into
// the clipboard's log as "v0" and "p0", among its calls.
class DocTest : public ::testing::Test, public IHistoryView, public IMainWindowNotice {
 protected:
  CMemoryKeyStore m_store;
  CFakeClipboard m_clip;
  CFixedClockServices m_text;
  std::unique_ptr<CTanselDoc> m_doc;

  void OnUpdate(int n) override { m_clip.m_log.push_back("v" + std::to_string(n)); }
  void PostHistoryChanged(int n) override { m_clip.m_log.push_back("p" + std::to_string(n)); }
  void SetUp() override {
    SetSettingsPlatform(&m_store, nullptr);
    m_doc = std::make_unique<CTanselDoc>(m_clip, m_text);
    m_doc->AddView(this);
    m_doc->SetMainWindow(this);
    // The document is the clipboard's viewer, as the main frame makes it.
    m_clip.m_fnViewer = [this] { m_doc->CaptureClipboard(); };
  }
  void TearDown() override {
    m_doc.reset();
    SetSettingsPlatform(nullptr, nullptr);
  }
  // A copy made in another program, as the viewer chain delivers it.
  void Copy(const std::u16string& s) {
    m_clip.SetUnicode(s);
    m_doc->CaptureClipboard();
  }
  // The history newest first as "c|b*|a": a "*" marks a bookmark.
  std::string History() const {
    std::string s;
    for (int i = 0; i < m_doc->GetItemCount(); ++i)
      s += (i ? "|" : "") + Utf8FromUtf16(m_doc->GetItem(i)->strText) +
           (m_doc->GetItem(i)->bBookmark ? "*" : "");
    return s;
  }
  // Makes the history that History() would show as this, and starts a new log.
  void Fill(const std::string& history) {
    m_doc->ClearList();
    const std::vector<std::string> texts = Split(history);
    for (size_t i = texts.size(); i-- > 0;) {
      const bool bMark = !texts[i].empty() && texts[i].back() == '*';
      Copy(Utf16FromUtf8(texts[i].substr(0, texts[i].size() - bMark)));
      if (bMark) m_doc->SetBookmark(0, TRUE);
    }
    m_clip.m_log.clear();
  }
  std::string Log() { return m_clip.TakeLog(); }
};
