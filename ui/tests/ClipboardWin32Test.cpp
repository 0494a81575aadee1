// The clipboard adapter against the real (Wine) clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ui/ClipboardWin32.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace {

// Right after a change, Wine's clipboard manager may hold the clipboard for a
// moment to announce it; the tests' own set-up waits for it.
template <class F>
bool Retrying(F f) {
  for (int i = 0; i < 3000; ++i) {
    if (f()) return true;
    ::Sleep(1);
  }
  return false;
}

// Puts one block of raw bytes on the clipboard with the plain API.
void PutRaw(UINT format, const void* data, size_t size) {
  ASSERT_TRUE(Retrying([] { return ::OpenClipboard(nullptr) != FALSE; }));
  ::EmptyClipboard();
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
  ASSERT_NE(h, nullptr);
  std::memcpy(::GlobalLock(h), data, size);
  ::GlobalUnlock(h);
  if (!::SetClipboardData(format, h)) ::GlobalFree(h);
  ::CloseClipboard();
}

struct BlockContent {
  size_t nSize = 0;
  std::vector<char> bytes;  // the first bytes of the block, at most 64
  bool bLocked = false;
};

class ClipboardWin32Test : public ::testing::Test {
 protected:
  void Put(const std::u16string& text) {
    ASSERT_TRUE(Retrying([&] { return m_clipboard.Open(); }));
    ASSERT_TRUE(m_clipboard.Empty());
    EXPECT_TRUE(m_clipboard.SetUnicodeText(text.c_str(), text.size()));
    m_clipboard.Close();
  }

  bool Attach() {
    return Retrying([&] { return m_clipboard.Attach(); });
  }

  // Reads a format through the adapter as the history does: attach, fetch,
  // size, lock, release.
  BlockContent Read(unsigned format) {
    BlockContent content;
    EXPECT_TRUE(Attach());
    {
      std::unique_ptr<IClipBlock> block = m_clipboard.Fetch(format);
      if (block) {
        content.nSize = block->Size();
        if (const void* p = block->Lock()) {
          content.bLocked = true;
          const char* bytes = static_cast<const char*>(p);
          content.bytes.assign(bytes, bytes + std::min<size_t>(content.nSize, 64));
          block->Unlock();
        }
      }
    }
    m_clipboard.Release();
    return content;
  }

  std::u16string ReadUnicode() {
    EXPECT_TRUE(Attach());
    std::u16string text;
    {
      std::unique_ptr<IClipBlock> block = m_clipboard.Fetch(kCfUnicodeText);
      EXPECT_NE(block, nullptr);
      if (block) {
        const auto* p = static_cast<const char16_t*>(block->Lock());
        EXPECT_NE(p, nullptr);
        if (p) text.assign(p, std::find(p, p + block->Size() / 2, u'\0'));
      }
    }
    m_clipboard.Release();
    return text;
  }

  CClipboardWin32 m_clipboard;
};

TEST_F(ClipboardWin32Test, UnicodeTextRoundTrip) {
  const std::u16string texts[] = {
      u"hello",
      u"Gr\u00FC\u00DFe \u03BA\u03CC\u03C3\u03BC\u03B5 \u4E2D\u6587",
      u"line 1\r\nline 2\tend",
  };
  for (const auto& text : texts) {
    Put(text);
    EXPECT_EQ(ReadUnicode(), text);
    EXPECT_EQ(Read(kCfUnicodeText).nSize, (text.size() + 1) * 2);
  }
}

TEST_F(ClipboardWin32Test, WrittenTextIsSeenByThePlainApi) {
  Put(u"plain api");
  ASSERT_TRUE(Retrying([] { return ::OpenClipboard(nullptr) != FALSE; }));
  std::wstring text;
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(h));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  EXPECT_EQ(text, L"plain api");
}

TEST_F(ClipboardWin32Test, EmptyTextIsABlockOfTwoBytes) {
  Put(u"");
  ASSERT_TRUE(Attach());
  EXPECT_TRUE(m_clipboard.IsFormatAvailable(kCfUnicodeText));
  m_clipboard.Release();
  const BlockContent content = Read(kCfUnicodeText);
  EXPECT_EQ(content.nSize, 2u);
  ASSERT_TRUE(content.bLocked);
  EXPECT_EQ(content.bytes, std::vector<char>(2, '\0'));
}

TEST_F(ClipboardWin32Test, LargeBlocksReportTheirExactSize) {
  for (size_t nBytes : {size_t(5000000), size_t(5000002)}) {
    std::u16string text(nBytes / 2 - 1, u'x');
    text[0] = u'A';
    Put(text);
    const BlockContent content = Read(kCfUnicodeText);
    EXPECT_EQ(content.nSize, nBytes);
    ASSERT_TRUE(content.bLocked);
    EXPECT_EQ(content.bytes[0], 'A');
    EXPECT_EQ(content.bytes[2], 'x');
  }
}

TEST_F(ClipboardWin32Test, BlockLargerThanItsTextReportsTheBlockSize) {
  char data[100] = {};
  const wchar_t text[] = L"ab";
  std::memcpy(data, text, sizeof(text));
  PutRaw(CF_UNICODETEXT, data, sizeof(data));
  const BlockContent content = Read(kCfUnicodeText);
  EXPECT_EQ(content.nSize, sizeof(data));
  ASSERT_TRUE(content.bLocked);
  EXPECT_EQ(content.bytes[0], 'a');
}

TEST_F(ClipboardWin32Test, AnsiOnlyTextConvertsFromTheAnsiCodePage) {
  // "café" in the ANSI code page: Latin-1 for 1252, the runtime's own
  // encoding otherwise.
  std::string ansi = "caf\xE9";
  if (::GetACP() != 1252) {
    char buffer[16] = {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, L"caf\u00E9", 4, buffer, sizeof(buffer),
                                        nullptr, nullptr);
    ansi.assign(buffer, static_cast<size_t>(n));
  }
  PutRaw(CF_TEXT, ansi.c_str(), ansi.size() + 1);

  ASSERT_TRUE(Attach());
  EXPECT_TRUE(m_clipboard.IsFormatAvailable(kCfText));
  std::u16string text;
  {
    std::unique_ptr<IClipBlock> block = m_clipboard.Fetch(kCfText);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->Size(), ansi.size() + 1);
    const char* p = static_cast<const char*>(block->Lock());
    ASSERT_NE(p, nullptr);
    text = m_clipboard.AnsiToUnicode(p, std::strlen(p));
    block->Unlock();
  }
  m_clipboard.Release();
  EXPECT_EQ(text, u"caf\u00E9");
}

TEST_F(ClipboardWin32Test, AnsiToUnicodeConvertsWholeSpans) {
  struct Case {
    std::string ansi;
    std::u16string expected;
  };
  const Case cases[] = {
      {"", u""},
      {"plain ASCII 123", u"plain ASCII 123"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},  // the caller decides where text ends
  };
  for (const auto& c : cases)
    EXPECT_EQ(m_clipboard.AnsiToUnicode(c.ansi.data(), c.ansi.size()), c.expected);
  if (::GetACP() == 1252) {
    EXPECT_EQ(m_clipboard.AnsiToUnicode("\x80\xFC", 2), u"\u20AC\u00FC");
  }
}

TEST_F(ClipboardWin32Test, ImageOnlyOffersNoText) {
  // A 1 x 1 pixel device-independent bitmap.
  struct {
    BITMAPINFOHEADER header;
    DWORD pixel;
  } dib = {};
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = 1;
  dib.header.biHeight = 1;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 32;
  dib.header.biCompression = BI_RGB;
  dib.pixel = 0x00FF8000;
  PutRaw(CF_DIB, &dib, sizeof(dib));

  ASSERT_TRUE(Attach());
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));  // the image did arrive
  EXPECT_FALSE(m_clipboard.IsFormatAvailable(kCfUnicodeText));
  EXPECT_FALSE(m_clipboard.IsFormatAvailable(kCfText));
  EXPECT_EQ(m_clipboard.Fetch(kCfUnicodeText), nullptr);
  m_clipboard.Release();
}

TEST_F(ClipboardWin32Test, BlockIsUnusableAfterRelease) {
  Put(u"short lived");
  ASSERT_TRUE(Attach());
  std::unique_ptr<IClipBlock> block = m_clipboard.Fetch(kCfUnicodeText);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Size(), 24u);
  m_clipboard.Release();
  EXPECT_EQ(block->Size(), 0u);
  EXPECT_EQ(block->Lock(), nullptr);
}

TEST_F(ClipboardWin32Test, NothingWithoutOpening) {
  EXPECT_FALSE(m_clipboard.Empty());
  EXPECT_EQ(m_clipboard.Fetch(kCfUnicodeText), nullptr);
}

// Another thread opens the clipboard with its own window and keeps it until
// told to let go.
class CClipboardHolder {
 public:
  CClipboardHolder() {
    m_thread = std::thread([this] {
      HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
      m_bHolding = Retrying([&] { return ::OpenClipboard(hWnd) != FALSE; });
      m_bReady = true;
      while (!m_bRelease) ::Sleep(1);
      if (m_bHolding) ::CloseClipboard();
      ::DestroyWindow(hWnd);
    });
    while (!m_bReady) ::Sleep(1);
  }
  ~CClipboardHolder() {
    Let();
  }
  bool Holding() const { return m_bHolding; }
  void Let() {
    m_bRelease = true;
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  std::thread m_thread;
  std::atomic<bool> m_bReady{false}, m_bRelease{false}, m_bHolding{false};
};

TEST_F(ClipboardWin32Test, OpeningFailsWhileAnotherWindowHoldsTheClipboard) {
  Put(u"held");
  CClipboardHolder holder;
  ASSERT_TRUE(holder.Holding());
  EXPECT_FALSE(m_clipboard.Open());
  EXPECT_FALSE(m_clipboard.Attach());
  EXPECT_FALSE(m_clipboard.Empty());
  holder.Let();
  EXPECT_TRUE(m_clipboard.Attach());
  m_clipboard.Release();
  EXPECT_TRUE(m_clipboard.Open());
  m_clipboard.Close();
}

}  // namespace
