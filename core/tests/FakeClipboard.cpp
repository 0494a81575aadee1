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

// Counts down one planned failure; true while any is left.
bool Fails(int& n) { return n > 0 && n-- > 0; }

// Runs and drops a one-shot hook.
void RunOnce(std::function<void()>& fn) {
  if (auto f = std::exchange(fn, nullptr)) f();
}

}  // namespace

std::string CFakeClipboard::Block(const std::u16string& s) {
  return std::string(reinterpret_cast<const char*>(s.c_str()), (s.size() + 1) * 2);
}

void CFakeClipboard::SetUnicode(const std::u16string& s) {
  m_content = {{kCfUnicodeText, Block(s)}};
  Changed();
}

void CFakeClipboard::SetAnsi(const std::string& s) {
  m_content = {{kCfText, std::string(s.c_str(), s.size() + 1)}};
  Changed();
}

std::u16string CFakeClipboard::Unicode() const {
  auto it = m_content.find(kCfUnicodeText);
  if (it == m_content.end()) return u"<none>";
  std::u16string s(it->second.size() / 2, u'\0');
  std::memcpy(&s[0], it->second.data(), s.size() * 2);
  if (!s.empty() && s.back() == u'\0') s.pop_back();
  return s;
}

bool CFakeClipboard::Attach() {
  m_log.push_back("attach");
  RunOnce(m_fnBeforeAttach);
  // Open for writing: nobody else can read it now.
  if (m_bOpen || Fails(m_nAttachFailures)) return false;
  return m_bAttached = true;
}

void CFakeClipboard::Release() {
  m_log.push_back("release");
  m_bAttached = false;
  RunOnce(m_fnOnRelease);
}

bool CFakeClipboard::IsFormatAvailable(unsigned format) { return m_content.count(format) != 0; }

unsigned CFakeClipboard::RegisterFormat(const char16_t* name) {
  ++m_nRegistrations;
  const unsigned next = 0xC000 + static_cast<unsigned>(m_mapRegistered.size());
  return m_mapRegistered.emplace(name, next).first->second;
}

std::unique_ptr<IClipBlock> CFakeClipboard::Fetch(unsigned format) {
  m_log.push_back("fetch");
  auto it = m_content.find(format);
  if (Fails(m_nFetchFailures) || it == m_content.end()) return nullptr;
  return std::make_unique<CFakeBlock>(it->second + std::string(m_nExtraBlockBytes, 'x'),
                                      m_bFailLock || format == m_nFailLockFormat, m_nLocks);
}

bool CFakeClipboard::Open() {
  m_log.push_back("open");
  RunOnce(m_fnBeforeOpen);
  if (Fails(m_nOpenFailures)) return false;
  m_bEmptied = false;
  return m_bOpen = true;
}

bool CFakeClipboard::Empty() {
  m_log.push_back("empty");
  if (Fails(m_nEmptyFailures)) return false;
  m_content.clear();
  Changed();
  return m_bEmptied = true;
}

bool CFakeClipboard::SetUnicodeText(const char16_t* text, size_t length) {
  m_log.push_back("set");
  if (m_bFailSet) return false;
  m_content[kCfUnicodeText] = std::string(reinterpret_cast<const char*>(text), (length + 1) * 2);
  Changed();
  return true;
}

void CFakeClipboard::Close() {
  m_log.push_back("close");
  m_bOpen = false;
  if (!std::exchange(m_bEmptied, false)) return;
  // The system adds the formats it derives at the close: a number more.
  Changed();
  ++m_nChanges;
  if (m_bNoticeLater)
    ++m_nLaterNotices;
  else if (m_fnViewer)
    m_fnViewer();
}

void CFakeClipboard::DeliverLaterNotices() {
  for (; m_nLaterNotices > 0; --m_nLaterNotices)
    if (m_fnViewer) m_fnViewer();
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
