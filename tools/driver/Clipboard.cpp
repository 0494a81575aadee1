// Clipboard subcommands: put exactly the formats a test asks for, read text
// back, list formats, hold the clipboard open.
#include "Driver.h"

#include <cstring>

namespace tdriver {

HWND OpenerWindow() {
  static HWND hwnd = CreateWindowExW(0, L"STATIC", L"tdriver clipboard", 0, 0, 0, 0, 0,
                                     HWND_MESSAGE, nullptr, nullptr, nullptr);
  return hwnd;
}

namespace {

// Another program (the one under test) may have the clipboard open for a
// moment; keep trying for a while before giving up.
constexpr DWORD kOpenTimeoutMs = 3000;

class OpenedClipboard {
 public:
  OpenedClipboard() {
    if (!PollUntil(kOpenTimeoutMs, 5, [] { return OpenClipboard(OpenerWindow()) != FALSE; }))
      FailLastError(L"OpenClipboard");
  }
  ~OpenedClipboard() { Close(); }
  void Close() {
    if (m_open) CloseClipboard();
    m_open = false;
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

 private:
  bool m_open = true;
};

// Hands a block of `blockSize` bytes, starting with `data` (cut or padded
// with zeros), to the open clipboard.
void PutBlock(UINT format, const void* data, size_t dataSize, size_t blockSize) {
  HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize ? blockSize : 1);
  if (!hMem) FailLastError(L"GlobalAlloc");
  if (void* p = GlobalLock(hMem)) {
    memcpy(p, data, dataSize < blockSize ? dataSize : blockSize);
    GlobalUnlock(hMem);
  } else {
    GlobalFree(hMem);
    FailLastError(L"GlobalLock");
  }
  if (!SetClipboardData(format, hMem)) {
    GlobalFree(hMem);
    FailLastError(L"SetClipboardData");
  }
}

// Replaces the clipboard by one Unicode text; --block sets the size of the
// data block in bytes (larger pads with zeros, smaller cuts the text and
// may drop the terminator).
// --print-time prints the time just before the clipboard is closed, which
// is when the viewers are told: the start of a copy-latency measurement.
// mark: "" or "NAME[=VALUE]", a registered format holding a 32-bit VALUE
// (default 0) beside the text, in the same session, as password managers
// mark what no clipboard history may keep.
int PutUnicode(const std::wstring& text, const std::wstring& block, bool printTime = false,
               const std::wstring& mark = L"") {
  const size_t natural = (text.size() + 1) * sizeof(wchar_t);
  const size_t blockSize =
      block.empty() ? natural : static_cast<size_t>(ParseInt(block, L"--block"));
  UINT markFormat = 0;
  DWORD markValue = 0;
  if (!mark.empty()) {
    const size_t eq = mark.find(L'=');
    markFormat = RegisterClipboardFormatW(mark.substr(0, eq).c_str());
    if (!markFormat) FailLastError(L"RegisterClipboardFormat");
    if (eq != std::wstring::npos)
      markValue = static_cast<DWORD>(ParseInt(mark.substr(eq + 1), L"the mark's value"));
  }
  OpenedClipboard clip;
  if (!EmptyClipboard()) FailLastError(L"EmptyClipboard");
  PutBlock(CF_UNICODETEXT, text.c_str(), natural, blockSize);
  if (markFormat) PutBlock(markFormat, &markValue, sizeof markValue, sizeof markValue);
  const int64_t unixUs = UnixMicros();
  clip.Close();
  if (printTime) OutLine(std::to_wstring(unixUs));
  return kOk;
}

std::wstring ReadFileUtf8(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) FailLastError(L"opening " + path);
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  return FromUtf8(bytes);
}

// Reads one text format of the open clipboard: the block up to its first
// zero unit, or all of it.
bool ReadUnicode(std::wstring& text, size_t& blockSize) {
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  if (!h) return false;
  blockSize = GlobalSize(h);
  const auto* p = static_cast<const wchar_t*>(GlobalLock(h));
  if (!p) return false;
  const size_t units = blockSize / sizeof(wchar_t);
  size_t n = 0;
  while (n < units && p[n]) ++n;
  text.assign(p, n);
  GlobalUnlock(h);
  return true;
}

std::wstring FormatName(UINT format) {
  static const struct {
    UINT id;
    const wchar_t* name;
  } kStandard[] = {
      {CF_TEXT, L"CF_TEXT"},
      {CF_BITMAP, L"CF_BITMAP"},
      {CF_METAFILEPICT, L"CF_METAFILEPICT"},
      {CF_SYLK, L"CF_SYLK"},
      {CF_DIF, L"CF_DIF"},
      {CF_TIFF, L"CF_TIFF"},
      {CF_OEMTEXT, L"CF_OEMTEXT"},
      {CF_DIB, L"CF_DIB"},
      {CF_PALETTE, L"CF_PALETTE"},
      {CF_PENDATA, L"CF_PENDATA"},
      {CF_RIFF, L"CF_RIFF"},
      {CF_WAVE, L"CF_WAVE"},
      {CF_UNICODETEXT, L"CF_UNICODETEXT"},
      {CF_ENHMETAFILE, L"CF_ENHMETAFILE"},
      {CF_HDROP, L"CF_HDROP"},
      {CF_LOCALE, L"CF_LOCALE"},
      {CF_DIBV5, L"CF_DIBV5"},
  };
  for (const auto& s : kStandard)
    if (s.id == format) return s.name;
  wchar_t buf[256];
  const int n = GetClipboardFormatNameW(format, buf, 256);
  return n > 0 ? std::wstring(buf, n) : L"?";
}

}  // namespace

int CmdSetText(Args& args) {
  const std::wstring block = args.Option(L"--block");
  const bool printTime = args.Flag(L"--print-time");
  const std::wstring mark = args.Option(L"--mark");
  const auto pos = args.Positional(1, 1);
  return PutUnicode(pos[0], block, printTime, mark);
}

int CmdSetTextFile(Args& args) {
  const std::wstring block = args.Option(L"--block");
  const auto pos = args.Positional(1, 1);
  return PutUnicode(ReadFileUtf8(pos[0]), block);
}

int CmdSetTextFill(Args& args) {
  const std::wstring block = args.Option(L"--block");
  const auto pos = args.Positional(1, 2);
  const int64_t count = ParseInt(pos[0], L"count");
  const std::wstring unit = pos.size() > 1 ? pos[1] : L"x";
  if (count < 0 || unit.empty()) Fail(kUsage, L"count must be >= 0 and the unit not empty");
  std::wstring text;
  text.reserve(static_cast<size_t>(count));
  while (text.size() < static_cast<size_t>(count)) text += unit;
  text.resize(static_cast<size_t>(count));
  return PutUnicode(text, block);
}

int CmdSetEmptyText(Args& args) {
  args.Positional(0, 0);
  return PutUnicode(L"", L"");
}

int CmdSetAnsi(Args& args) {
  const auto pos = args.Positional(1, 1);
  const std::wstring& text = pos[0];
  std::string ansi;
  if (!text.empty()) {
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, &lossy);
    ansi.resize(n);
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n,
                        nullptr, &lossy);
    if (lossy)
      Fail(kFailed, L"the text does not fit the ANSI code page " + std::to_wstring(GetACP()));
  }
  OpenedClipboard clip;
  if (!EmptyClipboard()) FailLastError(L"EmptyClipboard");
  PutBlock(CF_TEXT, ansi.c_str(), ansi.size() + 1, ansi.size() + 1);
  return kOk;
}

int CmdSetBitmap(Args& args) {
  const std::wstring as = args.Option(L"--as", L"dib");
  const auto pos = args.Positional(2, 2);
  const LONG w = static_cast<LONG>(ParseInt(pos[0], L"width"));
  const LONG h = static_cast<LONG>(ParseInt(pos[1], L"height"));
  if (w <= 0 || h <= 0 || w > 8192 || h > 8192) Fail(kUsage, L"size out of range");
  if (as != L"dib" && as != L"bitmap") Fail(kUsage, L"--as takes dib or bitmap");

  // A 32-bit top-down gradient, so a screenshot of a paste shows something.
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof bih;
  bih.biWidth = w;
  bih.biHeight = -h;
  bih.biPlanes = 1;
  bih.biBitCount = 32;
  bih.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x)
      pixels[static_cast<size_t>(y) * w + x] = (x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x80;

  OpenedClipboard clip;
  if (!EmptyClipboard()) FailLastError(L"EmptyClipboard");
  if (as == L"dib") {
    std::vector<char> packed(sizeof bih + pixels.size() * 4);
    memcpy(packed.data(), &bih, sizeof bih);
    memcpy(packed.data() + sizeof bih, pixels.data(), pixels.size() * 4);
    PutBlock(CF_DIB, packed.data(), packed.size(), packed.size());
  } else {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    BITMAPINFO bi{};
    bi.bmiHeader = bih;
    if (!bmp || !SetDIBits(screen, bmp, 0, h, pixels.data(), &bi, DIB_RGB_COLORS)) {
      ReleaseDC(nullptr, screen);
      if (bmp) DeleteObject(bmp);
      Fail(kFailed, L"could not make the bitmap");
    }
    ReleaseDC(nullptr, screen);
    if (!SetClipboardData(CF_BITMAP, bmp)) {
      DeleteObject(bmp);
      FailLastError(L"SetClipboardData");
    }
  }
  return kOk;
}

int CmdClear(Args& args) {
  args.Positional(0, 0);
  OpenedClipboard clip;
  if (!EmptyClipboard()) FailLastError(L"EmptyClipboard");
  return kOk;
}

int CmdGetText(Args& args) {
  const bool size = args.Flag(L"--size");
  args.Positional(0, 0);
  OpenedClipboard clip;
  std::wstring text;
  size_t blockSize = 0;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !ReadUnicode(text, blockSize))
    Fail(kNoText, L"the clipboard holds no CF_UNICODETEXT");
  if (size)
    OutLine(std::to_wstring(text.size()) + L" " + std::to_wstring(blockSize));
  else
    Out(text);
  return kOk;
}

int CmdGetAnsi(Args& args) {
  const bool hex = args.Flag(L"--hex");
  args.Positional(0, 0);
  OpenedClipboard clip;
  HANDLE h = IsClipboardFormatAvailable(CF_TEXT) ? GetClipboardData(CF_TEXT) : nullptr;
  const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
  if (!p) Fail(kNoText, L"the clipboard holds no CF_TEXT");
  const std::string ansi(p, strnlen(p, GlobalSize(h)));
  GlobalUnlock(h);
  if (hex) {  // the bytes themselves, to check the code page
    std::wstring out;
    wchar_t buf[4];
    for (unsigned char c : ansi) out += (swprintf(buf, 4, L"%02X", c), buf);
    OutLine(out);
    return kOk;
  }
  std::wstring text;
  if (!ansi.empty()) {
    const int n =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    text.resize(n);
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), n);
  }
  Out(text);
  return kOk;
}

int CmdWaitText(Args& args) {
  const auto pos = args.Positional(1, 2);
  const DWORD timeout = pos.size() > 1 ? static_cast<DWORD>(ParseInt(pos[1], L"timeout")) : 10000;
  std::wstring last;
  bool any = false;
  const bool ok = PollUntil(timeout, 10, [&] {
    if (!OpenClipboard(OpenerWindow())) return false;  // held by someone: try again later
    std::wstring text;
    size_t blockSize;
    const bool read = IsClipboardFormatAvailable(CF_UNICODETEXT) && ReadUnicode(text, blockSize);
    CloseClipboard();
    if (read) {
      any = true;
      last = text;
    }
    return read && text == pos[0];
  });
  if (!ok) {
    if (last.size() > 200) last = last.substr(0, 200) + L"...";
    Fail(kTimeout, any ? L"timed out; the clipboard holds \"" + last + L"\""
                       : L"timed out; the clipboard holds no text");
  }
  return kOk;
}

int CmdFormats(Args& args) {
  args.Positional(0, 0);
  OpenedClipboard clip;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
    OutLine(std::to_wstring(f) + L" " + FormatName(f));
  return kOk;
}

int CmdCodePages(Args& args) {
  args.Positional(0, 0);
  OutLine(L"acp " + std::to_wstring(GetACP()) + L" oemcp " + std::to_wstring(GetOEMCP()));
  return kOk;
}

int CmdSeq(Args& args) {
  args.Positional(0, 0);
  OutLine(std::to_wstring(GetClipboardSequenceNumber()));
  return kOk;
}

int CmdChainHead(Args& args) {
  args.Positional(0, 0);
  OutLine(Hex(reinterpret_cast<uintptr_t>(GetClipboardViewer())));
  return kOk;
}

int CmdHoldClipboard(Args& args) {
  const bool bCopy = args.Has(L"--copy");  // before Option takes it
  const std::wstring copy = args.Option(L"--copy");
  const auto pos = args.Positional(1, 1);
  const DWORD ms = static_cast<DWORD>(ParseInt(pos[0], L"milliseconds"));
  HWND owner = OpenerWindow();
  if (!owner) FailLastError(L"CreateWindowExW");
  auto open = [&] {
    if (!PollUntil(kOpenTimeoutMs, 5, [&] { return OpenClipboard(owner) != FALSE; }))
      FailLastError(L"OpenClipboard");
  };
  if (bCopy) {
    // A copy, then the clipboard taken again at once. A viewer may still
    // open it in between: to hold every copy from its notice on, use
    // `viewer --hold-ms`.
    open();
    EmptyClipboard();
    PutBlock(CF_UNICODETEXT, copy.c_str(), (copy.size() + 1) * sizeof(wchar_t),
             (copy.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
  }
  open();
  OutLine(L"held");
  Sleep(ms);
  CloseClipboard();
  return kOk;
}

}  // namespace tdriver
