// The clipboard adapter against the real (Wine) clipboard.
// Catches: a clipboard adapter that reads the wrong format or size, lets a second opening in, or
// keeps a block alive past its session.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/PrivateCopy.h"
#include "tests/support/WinTestSupport.h"
#include "ui/ClipboardWin32.h"

namespace {

// Right after a change, Wine's clipboard manager may hold the clipboard for a
// moment to announce it; the tests wait for it.
template <class F>
bool Retrying(F f) {
  for (int i = 0; i < 3000; ++i, ::Sleep(1))
    if (f()) return true;
  return false;
}

std::string BytesOf(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
}

class ClipboardWin32Test : public ::testing::Test {
 protected:
  void Put(const std::u16string& text) {
    ASSERT_TRUE(Retrying([&] { return m_clipboard.Open(); }));
    EXPECT_TRUE(m_clipboard.Empty());
    EXPECT_TRUE(m_clipboard.SetUnicodeText(text.c_str(), text.size()));
    m_clipboard.Close();
  }
  // What the adapter shows of one format, read as the history does: attach,
  // fetch, size, lock, release.
  struct BLOCK {
    bool available = false, fetched = false;
    size_t size = 0;
    std::string bytes;
  };
  BLOCK Read(unsigned format) {
    BLOCK block;
    EXPECT_TRUE(Retrying([&] { return m_clipboard.Attach(); }));
    block.available = m_clipboard.IsFormatAvailable(format);
    if (std::unique_ptr<IClipBlock> fetched = m_clipboard.Fetch(format)) {
      block.fetched = true;
      block.size = fetched->Size();
      if (const void* p = fetched->Lock())
        block.bytes.assign(static_cast<const char*>(p), block.size);
    }
    m_clipboard.Release();
    return block;
  }

  CClipboardWin32 m_clipboard;
};

TEST_F(ClipboardWin32Test, UnicodeTextRoundTripsInBlocksOfItsExactSize) {
  // Empty text is a block of two bytes; the long ones are 5,000,000 and
  // 5,000,002 bytes with their terminator.
  const std::u16string texts[] = {
      u"", u"Gr\u00FC\u00DFe \u03BA\u03CC\u03C3\u03BC\u03B5 \u4E2D\u6587\r\n\tend",
      std::u16string(2499999, u'x'), std::u16string(2500000, u'y')};
  for (const auto& text : texts) {
    Put(text);
    const BLOCK block = Read(kCfUnicodeText);
    EXPECT_TRUE(block.available);
    EXPECT_EQ(block.size, (text.size() + 1) * 2);
    EXPECT_TRUE(block.bytes == BytesOf(text)) << text.size() << " units";
  }
  // Another writer's block may be larger than its text.
  ASSERT_TRUE(PutRawBlocks({{CF_UNICODETEXT, std::string(100, '\0')}}));
  EXPECT_EQ(Read(kCfUnicodeText).size, 100u);
}

TEST_F(ClipboardWin32Test, AnsiTextConvertsFromTheCodePageAndAnImageOffersNoText) {
  // "café" in the ANSI code page, whichever it is.
  char ansi[16] = {};
  const int n =
      ::WideCharToMultiByte(CP_ACP, 0, L"caf\u00E9", 4, ansi, sizeof(ansi), nullptr, nullptr);
  ASSERT_TRUE(PutRawClipboard(CF_TEXT, ansi, n + 1));
  const BLOCK block = Read(kCfText);
  ASSERT_EQ(block.size, size_t(n) + 1);
  EXPECT_EQ(m_clipboard.AnsiToUnicode(block.bytes.data(), n), u"caf\u00E9");
  // The caller decides where the text ends.
  EXPECT_EQ(m_clipboard.AnsiToUnicode("a\0b", 3), std::u16string(u"a\0b", 3));

  const struct {
    BITMAPINFOHEADER header;
    DWORD pixel;
  } dib = {{sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, 0x00FF8000};
  ASSERT_TRUE(PutRawClipboard(CF_DIB, &dib, sizeof(dib)));
  EXPECT_TRUE(Read(CF_DIB).fetched);  // the image did arrive
  for (unsigned format : {kCfUnicodeText, kCfText}) {
    const BLOCK text = Read(format);
    EXPECT_FALSE(text.available || text.fetched) << format;
  }
}

TEST_F(ClipboardWin32Test, BlocksAreUsableOnlyWhileAttached) {
  Put(u"short lived");
  // A block ends with its session, or with the adapter it came from.
  for (bool bAdapterGoes : {false, true}) {
    SCOPED_TRACE(bAdapterGoes);
    std::unique_ptr<IClipBlock> block;
    {
      CClipboardWin32 clipboard;
      ASSERT_TRUE(Retrying([&] { return clipboard.Attach(); }));
      block = clipboard.Fetch(kCfUnicodeText);
      ASSERT_NE(block, nullptr);
      EXPECT_EQ(block->Size(), 24u);
      if (!bAdapterGoes) {
        clipboard.Release();
        EXPECT_EQ(block->Size(), 0u);
        EXPECT_EQ(block->Lock(), nullptr);
      }
    }
    EXPECT_EQ(block->Size(), 0u);
    EXPECT_EQ(block->Lock(), nullptr);
    EXPECT_TRUE(Retrying([&] { return m_clipboard.Attach(); })) << "the clipboard was let go";
    m_clipboard.Release();
  }
}

TEST_F(ClipboardWin32Test, AReaderNeverBorrowsAWritersOpeningNorTheOtherWayRound) {
  ASSERT_TRUE(Retrying([&] { return m_clipboard.Open(); }));
  EXPECT_FALSE(m_clipboard.Attach()) << "a capture called in during a write";
  m_clipboard.Release();  // a reader's release must not close the writer's opening
  EXPECT_TRUE(m_clipboard.Empty());
  EXPECT_TRUE(m_clipboard.SetUnicodeText(u"written", 7));
  m_clipboard.Close();
  EXPECT_EQ(Read(kCfUnicodeText).bytes, BytesOf(u"written"));

  ASSERT_TRUE(Retrying([&] { return m_clipboard.Attach(); }));
  EXPECT_FALSE(m_clipboard.Open());
  m_clipboard.Close();
  EXPECT_NE(m_clipboard.Fetch(kCfUnicodeText), nullptr) << "still open for reading";
  m_clipboard.Release();
}

TEST_F(ClipboardWin32Test, OpeningFailsWhileAnotherWindowHoldsTheClipboard) {
  std::atomic<int> stage{0};  // 1 held, -1 could not take it, 2 let go
  std::thread holder([&] {
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    const bool bHeld = Retrying([&] { return ::OpenClipboard(hWnd) != FALSE; });
    stage = bHeld ? 1 : -1;
    while (stage != 2) ::Sleep(1);
    if (bHeld) ::CloseClipboard();
    ::DestroyWindow(hWnd);
  });
  while (stage == 0) ::Sleep(1);
  EXPECT_EQ(stage, 1);
  EXPECT_FALSE(m_clipboard.Open());
  EXPECT_FALSE(m_clipboard.Attach());
  stage = 2;
  holder.join();
  EXPECT_TRUE(m_clipboard.Attach());
  m_clipboard.Release();
  EXPECT_TRUE(m_clipboard.Open());
  m_clipboard.Close();
}

TEST_F(ClipboardWin32Test, PasswordManagersMarksAreSeenThroughTheAdapter) {
  const PRIVATE_FORMATS formats = PRIVATE_FORMATS::Register(m_clipboard);
  EXPECT_EQ(formats.nExclude,
            ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"));
  EXPECT_EQ(formats.nViewerIgnore, ::RegisterClipboardFormatW(L"Clipboard Viewer Ignore"));
  EXPECT_EQ(formats.nHistory, ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"));
  const struct {
    UINT mark;  // 0: none
    char value;
    bool isPrivate;
  } cases[] = {
      {0, 0, false},
      {formats.nExclude, 1, true},
      {formats.nViewerIgnore, 0, true},
      {formats.nHistory, 0, true},
      {formats.nHistory, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mark);
    // Text and marker in one session, as a password manager writes them.
    std::vector<std::pair<UINT, std::string>> blocks = {{CF_UNICODETEXT, BytesOf(u"secret")}};
    if (c.mark) blocks.push_back({c.mark, std::string{c.value, 0, 0, 0}});
    ASSERT_TRUE(PutRawBlocks(blocks));
    ASSERT_TRUE(Retrying([&] { return m_clipboard.Attach(); }));
    EXPECT_EQ(IsPrivateCopy(m_clipboard, formats, 1), c.isPrivate);
    m_clipboard.Release();
  }
}

}  // namespace
