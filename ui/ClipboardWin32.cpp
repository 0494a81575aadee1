#include "ui/ClipboardWin32.h"

#include <climits>
#include <cstring>

#include "ui/WinText.h"

namespace {

// The clipboard's data handle, locked in place. The handle stays the
// clipboard's: this object only unlocks what it locked, it never frees.
class CClipBlockWin32 : public IClipBlock {
 public:
  CClipBlockWin32(HGLOBAL h, std::weak_ptr<const bool> session)
      : m_h(h), m_session(std::move(session)) {}
  ~CClipBlockWin32() override { Unlock(); }

  size_t Size() override { return Valid() ? ::GlobalSize(m_h) : 0; }
  const void* Lock() override {
    if (!Valid()) return nullptr;
    if (!m_pData) m_pData = ::GlobalLock(m_h);
    return m_pData;
  }
  void Unlock() override {
    if (m_pData && Valid()) ::GlobalUnlock(m_h);
    m_pData = nullptr;
  }

 private:
  // Once the clipboard closed, the handle may name freed memory.
  bool Valid() const { return !m_session.expired(); }

  HGLOBAL m_h;
  std::weak_ptr<const bool> m_session;
  const void* m_pData = nullptr;
};

}  // namespace

bool CClipboardWin32::OpenClipboard(Opening opening) {
  // One opening at a time. A capture that the system calls in while this
  // thread writes (a notice handled during the write's own calls) must not
  // borrow the writer's opening: its release would close the clipboard under
  // the writer. It is refused, as another program's opening would be.
  if (m_eOpening != kClosed) return false;
  if (!m_open.Open(nullptr)) return false;
  m_eOpening = opening;
  m_pSession = std::make_shared<const bool>(true);
  return true;
}

void CClipboardWin32::CloseClipboard(Opening opening) {
  if (m_eOpening != opening) return;
  m_eOpening = kClosed;
  // The blocks of this opening die first: a viewer called back from inside
  // the close opens a session of its own.
  m_pSession.reset();
  m_open.Close();
}

bool CClipboardWin32::Attach() { return OpenClipboard(kReading); }

void CClipboardWin32::Release() { CloseClipboard(kReading); }

bool CClipboardWin32::IsFormatAvailable(unsigned format) {
  return ::IsClipboardFormatAvailable(format) != FALSE;
}

unsigned CClipboardWin32::RegisterFormat(const char16_t* name) {
  return ::RegisterClipboardFormatW(WinText(name));
}

std::unique_ptr<IClipBlock> CClipboardWin32::Fetch(unsigned format) {
  if (m_eOpening != kReading) return nullptr;
  HANDLE h = ::GetClipboardData(format);
  if (!h) return nullptr;
  return std::make_unique<CClipBlockWin32>(static_cast<HGLOBAL>(h), m_pSession);
}

bool CClipboardWin32::Open() { return OpenClipboard(kWriting); }

bool CClipboardWin32::Empty() { return m_eOpening == kWriting && ::EmptyClipboard() != FALSE; }

bool CClipboardWin32::SetUnicodeText(const char16_t* text, size_t length) {
  if (length > (SIZE_MAX / sizeof(char16_t)) - 1) return false;
  const size_t nBytes = (length + 1) * sizeof(char16_t);
  CGlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, nBytes));
  if (!block) return false;
  {
    CGlobalLock lock(block.Get());
    if (!lock.Get()) return false;
    auto* p = static_cast<char16_t*>(lock.Get());
    if (length) std::memcpy(p, text, length * sizeof(char16_t));
    p[length] = u'\0';
  }
  // Once SetClipboardData accepts the block, the clipboard owns and frees it;
  // a block it refused stays ours and is freed here.
  if (::SetClipboardData(CF_UNICODETEXT, block.Get())) block.Release();
  return true;
}

void CClipboardWin32::Close() { CloseClipboard(kWriting); }

CString16 CClipboardWin32::AnsiToUnicode(const char* bytes, size_t length) {
  // MultiByteToWideChar counts in int; the capture limit (at most 999 MB)
  // keeps clipboard texts below that.
  if (length == 0 || length > INT_MAX) return CString16();
  const int nBytes = static_cast<int>(length);
  const int nUnits = ::MultiByteToWideChar(CP_ACP, 0, bytes, nBytes, nullptr, 0);
  if (nUnits <= 0) return CString16();
  CString16 result(static_cast<size_t>(nUnits), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes, nBytes, WinText(&result[0]), nUnits);
  return result;
}
