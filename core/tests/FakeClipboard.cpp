#include "FakeClipboard.h"

#include <cstring>
#include <utility>

namespace {

struct CFakeBlock : IClipBlock {
  CFakeBlock(std::string b, bool bFail, int& n)
      : bytes(std::move(b)), bFailLock(bFail), nLocks(n) {}
  size_t Size() override { return bytes.size(); }
  const void* Lock() override { return ++nLocks, bFailLock ? nullptr : bytes.data(); }
  void Unlock() override {}
  std::string bytes;
  bool bFailLock;
  int& nLocks;
};

}  // namespace

bool CFakeClipboard::Fails(const char* call) {
  m_log.push_back(call);
  if (auto f = std::exchange(m_fnAt[call], nullptr)) f();
  int& n = m_fails[call];
  return n > 0 && n-- > 0;
}

std::string CFakeClipboard::TakeLog() {
  std::string s;
  for (size_t i = 0, j; i < m_log.size(); i = j) {
    for (j = i + 1; j < m_log.size() && m_log[j] == m_log[i];) ++j;
    s += (s.empty() ? "" : " ") + m_log[i] + (j - i > 1 ? "*" + std::to_string(j - i) : "");
  }
  m_log.clear();
  return s;
}

std::u16string CFakeClipboard::Unicode() const {
  auto it = m_content.find(kCfUnicodeText);
  if (it == m_content.end()) return u"<none>";
  std::u16string s(it->second.size() / 2, u'\0');
  std::memcpy(&s[0], it->second.data(), s.size() * 2);
  if (!s.empty() && s.back() == u'\0') s.pop_back();
  return s;
}

std::unique_ptr<IClipBlock> CFakeClipboard::Fetch(unsigned format) {
  auto it = m_content.find(format);
  if (Fails("fetch") || it == m_content.end()) return nullptr;
  return std::make_unique<CFakeBlock>(it->second + std::string(m_nExtraBlockBytes, 'x'),
                                      format == m_nFailLockFormat, m_nLocks);
}

void CFakeClipboard::Close() {
  Fails("close");
  m_bOpen = false;
  if (!std::exchange(m_bEmptied, false)) return;
  // The system adds the formats it derives at the close: a number more;
  // the change is announced now or, with another viewer first, later.
  Changed();
  if (m_bNoticeLater)
    ++m_nLaterNotices;
  else if (m_fnViewer)
    m_fnViewer();
}

CString16 CFakeClipboard::AnsiToUnicode(const char* bytes, size_t length) {
  // Stands in for Windows-1252: bytes are their own code points, except the
  // few that the code page maps elsewhere (0x80 is the euro sign).
  CString16 s;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    s.push_back(c == 0x80 ? u'\u20AC' : static_cast<char16_t>(c));
  }
  return s;
}
