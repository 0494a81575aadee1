// The clipboard adapter against the real (Wine) clipboard.
// Catches: a clipboard adapter that reads the wrong format or size, lets a second opening in, or
// keeps a block alive past its session.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
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

// What the adapter shows of one format.
struct Block {
  bool available = false, fetched = false;
  size_t size = 0;
  std::string bytes;
};

std::string BytesOf(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
}

class ClipboardWin32Test : public ::testing::Test {
 protected:
  void PutRaw(UINT format, const void* data, size_t size) {
    ASSERT_TRUE(PutRawClipboard(format, data, size));
  }
  void Put(const std::u16string& text) {
    ASSERT_TRUE(Retrying([&] { return m_clipboard.Open(); }));
    EXPECT_TRUE(m_clipboard.Empty());
    EXPECT_TRUE(m_clipboard.SetUnicodeText(text.c_str(), text.size()));
    m_clipboard.Close();
  }
  // Reads a format as the history does: attach, fetch, size, lock, release.
  Block Read(unsigned format) {
    Block block;
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
    const Block block = Read(kCfUnicodeText);
    EXPECT_TRUE(block.available);
    EXPECT_EQ(block.size, (text.size() + 1) * 2);
    EXPECT_TRUE(block.bytes == BytesOf(text)) << text.size() << " units";
  }
  // Another writer's block may be larger than its text.
  char data[100] = {'a', 0, 'b'};
  PutRaw(CF_UNICODETEXT, data, sizeof(data));
  EXPECT_EQ(Read(kCfUnicodeText).size, sizeof(data));
}

TEST_F(ClipboardWin32Test, AnsiOnlyTextConvertsFromTheAnsiCodePage) {
  // "café" in the ANSI code page, whichever it is.
  char ansi[16] = {};
  const int n =
      ::WideCharToMultiByte(CP_ACP, 0, L"caf\u00E9", 4, ansi, sizeof(ansi), nullptr, nullptr);
  PutRaw(CF_TEXT, ansi, n + 1);
  const Block block = Read(kCfText);
  ASSERT_EQ(block.size, size_t(n) + 1);
  EXPECT_EQ(m_clipboard.AnsiToUnicode(block.bytes.data(), n), u"caf\u00E9");
  // The caller decides where the text ends.
  EXPECT_EQ(m_clipboard.AnsiToUnicode("a\0b", 3), std::u16string(u"a\0b", 3));
}

TEST_F(ClipboardWin32Test, ImageOnlyOffersNoText) {
  const struct {
    BITMAPINFOHEADER header;
    DWORD pixel;
  } dib = {{sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, 0x00FF8000};
  PutRaw(CF_DIB, &dib, sizeof(dib));
  EXPECT_TRUE(Read(CF_DIB).fetched);  // the image did arrive
  for (unsigned format : {kCfUnicodeText, kCfText}) {
    const Block block = Read(format);
    EXPECT_FALSE(block.available);
    EXPECT_FALSE(block.fetched);
  }
}

TEST_F(ClipboardWin32Test, BlocksAreUsableOnlyWhileAttached) {
  Put(u"short lived");
  ASSERT_TRUE(Retrying([&] { return m_clipboard.Attach(); }));
  std::unique_ptr<IClipBlock> block = m_clipboard.Fetch(kCfUnicodeText);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Size(), 24u);
  m_clipboard.Release();
  EXPECT_EQ(block->Size(), 0u);
  EXPECT_EQ(block->Lock(), nullptr);

  // A block may also outlive the adapter it came from.
  {
    CClipboardWin32 shortLived;
    ASSERT_TRUE(Retrying([&] { return shortLived.Attach(); }));
    block = shortLived.Fetch(kCfUnicodeText);
    ASSERT_NE(block, nullptr);
  }
  EXPECT_EQ(block->Size(), 0u);
  EXPECT_EQ(block->Lock(), nullptr);
  EXPECT_TRUE(Retrying([&] { return m_clipboard.Attach(); })) << "the clipboard was let go";
  m_clipboard.Release();
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
  CClipboardWin32 clip;
  const PRIVATE_FORMATS formats = PRIVATE_FORMATS::Register(clip);
  EXPECT_EQ(formats.nExclude,
            ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"));
  EXPECT_EQ(formats.nViewerIgnore, ::RegisterClipboardFormatW(L"Clipboard Viewer Ignore"));
  EXPECT_EQ(formats.nHistory, ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"));
  const struct {
    UINT mark;  // 0: none
    DWORD value;
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
    ASSERT_TRUE(Retrying([] { return ::OpenClipboard(nullptr) != FALSE; }));
    ::EmptyClipboard();
    const wchar_t text[] = L"secret";
    for (const auto& block : {std::make_pair(UINT{CF_UNICODETEXT}, sizeof text),
                              std::make_pair(c.mark, sizeof c.value)}) {
      if (!block.first) continue;
      HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, block.second);
      std::memcpy(::GlobalLock(h),
                  block.first == CF_UNICODETEXT ? static_cast<const void*>(text) : &c.value,
                  block.second);
      ::GlobalUnlock(h);
      ::SetClipboardData(block.first, h);
    }
    ::CloseClipboard();
    ASSERT_TRUE(Retrying([&] { return clip.Attach(); }));
    EXPECT_EQ(IsPrivateCopy(clip, formats, 1), c.isPrivate);
    clip.Release();
  }
}

}  // namespace
