// The clipboard adapter against the real (Wine) clipboard, where the frame's
// captures and writes never take it: openings that overlap, blocks kept past
// their session, ANSI text and a copy without text.
// Catches: a clipboard adapter that lets a second opening in or closes another's, keeps a block
// alive past its session or hands one to a writer, converts ANSI text from the wrong code page, or
// offers text for an image.
#include "settings/tests/SettingsTestSupport.h"
#include "tests/support/WinTestSupport.h"
#include "ui/ClipboardWin32.h"

namespace {

class ClipboardWin32Test : public ::testing::Test {
 protected:
  // What the adapter shows of one format, read as the history does: attach,
  // fetch, size, lock, release.
  struct BLOCK {
    bool available = false, fetched = false;
    size_t size = 0;
    std::string bytes;
  };
  BLOCK Read(unsigned format) {
    BLOCK block;
    EXPECT_TRUE(WaitFor([&] { return m_clipboard.Attach(); }));
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

TEST_F(ClipboardWin32Test, OneOpeningAtATimeAndItsBlocksEndWithIt) {
  // A capture called in during a write is refused, and its release leaves
  // the writer's opening open.
  ASSERT_TRUE(WaitFor([&] { return m_clipboard.Open(); }));
  EXPECT_FALSE(m_clipboard.Attach());
  m_clipboard.Release();
  EXPECT_TRUE(m_clipboard.Empty());
  EXPECT_TRUE(m_clipboard.SetUnicodeText(u"short lived", 11));
  EXPECT_EQ(m_clipboard.Fetch(kCfUnicodeText), nullptr) << "blocks are for readers";
  m_clipboard.Close();
  // A block ends with its session, or with the adapter it came from.
  for (bool bAdapterGoes : {false, true}) {
    SCOPED_TRACE(bAdapterGoes);
    std::unique_ptr<IClipBlock> block;
    {
      CClipboardWin32 clipboard;
      ASSERT_TRUE(WaitFor([&] { return clipboard.Attach(); }));
      block = clipboard.Fetch(kCfUnicodeText);
      ASSERT_NE(block, nullptr);
      const char* p = static_cast<const char*>(block->Lock());
      EXPECT_TRUE(block->Size() == 24 && p &&
                  std::vector<uint8_t>(p, p + 24) == BytesOf(u"short lived"));
      block->Unlock();
      if (!bAdapterGoes) {
        clipboard.Release();
        EXPECT_TRUE(block->Size() == 0 && !block->Lock());
      }
    }
    EXPECT_TRUE(block->Size() == 0 && !block->Lock());
    EXPECT_TRUE(WaitFor([&] { return m_clipboard.Attach(); })) << "the clipboard was let go";
    m_clipboard.Release();
  }
  // Nor does a write get in, or end, a reader's opening.
  ASSERT_TRUE(WaitFor([&] { return m_clipboard.Attach(); }));
  EXPECT_FALSE(m_clipboard.Open());
  m_clipboard.Close();
  EXPECT_NE(m_clipboard.Fetch(kCfUnicodeText), nullptr) << "still open for reading";
  m_clipboard.Release();
}

}  // namespace
