#pragma once
// A document over an in-memory clipboard, an in-memory settings store and a
// clock fixed by the test, with a view and a main window that record every
// notice.
#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "FakeClipboard.h"
#include "FixedClock.h"
#include "HistoryTexts.h"
#include "core/TanselDoc.h"
#include "settings/ApplicationRegistry.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"

// The tables with text beyond ASCII need a locale that maps and classifies
// it; with LANG unset the runtime's "C" locale knows ASCII alone.
inline ::testing::AssertionResult UnicodeLocale() {
  char16_t e = u'\u00e9';
  uint8_t flags = 0;
  RuntimeTextServices().Classify(&e, 1, &flags);
  RuntimeTextServices().MapCase(&e, 1, true);
  if (e == u'\u00c9' && (flags & ITextServices::kAlnum)) return ::testing::AssertionSuccess();
  const char* locale = std::setlocale(LC_CTYPE, nullptr);
  return ::testing::AssertionFailure()
         << "LC_CTYPE is \"" << (locale ? locale : "?")
         << "\", which does not know \u00e9: run the tests with a UTF-8 locale (LC_ALL=C.UTF-8, "
            "as ctest does)";
}
#define REQUIRE_UNICODE_LOCALE() ASSERT_TRUE(UnicodeLocale())

class CRecorder : public IHistoryView, public IMainWindowNotice {
 public:
  std::vector<int> m_viewHints, m_postedHints;
  std::vector<std::string> m_both;  // "view 0", "post 0", in the order they came
  void OnUpdate(int n) override { Hear(m_viewHints, "view ", n); }
  void PostHistoryChanged(int n) override { Hear(m_postedHints, "post ", n); }
  void Clear() { m_viewHints.clear(), m_postedHints.clear(), m_both.clear(); }

 private:
  void Hear(std::vector<int>& hints, const char* who, int n) {
    hints.push_back(n);
    m_both.push_back(who + std::to_string(n));
  }
};

class DocTest : public ::testing::Test {
 protected:
  CMemoryKeyStore m_store;
  CFakeClipboard m_clip;
  CFixedClockServices m_text;
  CRecorder m_rec;
  std::unique_ptr<CTanselDoc> m_doc;

  void SetUp() override {
    SetSettingsPlatform(&m_store, nullptr);
    MakeDoc();
  }
  void TearDown() override {
    m_doc.reset();
    SetSettingsPlatform(nullptr, nullptr);
  }
  void MakeDoc() {
    m_doc = std::make_unique<CTanselDoc>(m_clip, m_text);
    m_doc->AddView(&m_rec);
    m_doc->SetMainWindow(&m_rec);
    // The document is the clipboard's viewer, as the main frame makes it.
    m_clip.m_fnViewer = [this] { m_doc->CaptureClipboard(); };
  }

  // A copy made in another program, as the viewer chain delivers it.
  void Copy(const std::u16string& s) {
    m_clip.SetUnicode(s);
    m_doc->CaptureClipboard();
  }
  std::vector<std::u16string> Texts() const { return HistoryTexts(*m_doc); }
  // Fills the history so that index 0 holds the first text given.
  void Fill(std::initializer_list<const char16_t*> texts) {
    std::vector<const char16_t*> v(texts);
    for (auto it = v.rbegin(); it != v.rend(); ++it) Copy(*it);
    m_rec.Clear();
    m_clip.m_log.clear();
  }
};

using V = std::vector<std::u16string>;
