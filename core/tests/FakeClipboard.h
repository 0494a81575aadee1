#pragma once
// A clipboard in memory that can misbehave the ways a real one does: held by
// another program, offering only ANSI or no text, blocks larger than their
// text, blocks that cannot be locked. It also logs the calls made to it.
//
// Like the system, it announces a change from inside Close(), after the
// clipboard is closed and before Close() returns, to the registered viewer;
// and like the Win32 adapter it refuses a reader while it is open for
// writing. Its blocks are copies: one used after Release() still reads.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/ClipboardPort.h"

class CFakeClipboard : public IClipboard {
 public:
  // Content: format -> raw bytes of the block.
  std::map<unsigned, std::string> m_content;

  // By call ("attach", "fetch", "open", "empty", "set"): the next n fail.
  std::map<std::string, int> m_fails;
  // By call ("attach", "fetch", "open", "release"): runs once at the next,
  // before it answers. Another program copying between a notice and the
  // capture's opening, a notice handed in while a clipboard call waits, or a
  // throw while reading.
  std::map<std::string, std::function<void()>> m_fnAt;
  unsigned m_nFailLockFormat = 0;  // blocks of this format cannot be locked
  size_t m_nExtraBlockBytes = 0;   // reported beyond the data
  int m_nLocks = 0;                // locks of fetched blocks

  std::vector<std::string> m_log;  // every call by name, and what tests add
  // The log since the last time, runs of one call as "fetch*100".
  std::string TakeLog();
  bool m_bOpen = false, m_bAttached = false;

  // The viewer that hears of each change; none: changes go unheard.
  std::function<void()> m_fnViewer;
  // Changes are announced later, by DeliverLaterNotices(), as when a viewer
  // of another program heads the chain and passes notices on in its own time.
  bool m_bNoticeLater = false;
  int m_nLaterNotices = 0;
  void DeliverLaterNotices() {
    for (; m_nLaterNotices > 0; --m_nLaterNotices)
      if (m_fnViewer) m_fnViewer();
  }

  static std::string Block(const std::u16string& s) {  // UTF-16 bytes with the terminator
    return std::string(reinterpret_cast<const char*>(s.c_str()), (s.size() + 1) * 2);
  }
  void SetUnicode(const std::u16string& s) { m_content = {{kCfUnicodeText, Block(s)}}, Changed(); }
  void SetAnsi(const std::string& s) {
    m_content = {{kCfText, std::string(s.c_str(), s.size() + 1)}}, Changed();
  }
  std::u16string Unicode() const;  // what CF_UNICODETEXT holds, without terminator

  // Every change of the content takes the next number, as the system's
  // sequence number does; tests that write m_content themselves call
  // Changed(). m_bUnnumbered: a system that cannot tell (0).
  uint32_t m_nSequence = 1;
  bool m_bUnnumbered = false;
  void Changed() { ++m_nSequence; }

  bool Attach() override {
    // Open for writing: nobody else can read it now.
    return !Fails("attach") && !m_bOpen && (m_bAttached = true);
  }
  void Release() override { m_bAttached = false, Fails("release"); }
  uint32_t SequenceNumber() override { return m_bUnnumbered ? 0 : m_nSequence; }
  bool IsFormatAvailable(unsigned format) override { return m_content.count(format) != 0; }
  // Numbers from 0xC000 up, one per name, as the system gives them.
  unsigned RegisterFormat(const char16_t* name) override {
    ++m_nRegistrations;
    return m_mapRegistered.emplace(name, 0xC000 + unsigned(m_mapRegistered.size())).first->second;
  }
  std::map<std::u16string, unsigned> m_mapRegistered;
  int m_nRegistrations = 0;  // calls, not names
  std::unique_ptr<IClipBlock> Fetch(unsigned format) override;
  bool Open() override { return !Fails("open") && (m_bEmptied = false, m_bOpen = true); }
  bool Empty() override {
    return !Fails("empty") && (m_content.clear(), Changed(), m_bEmptied = true);
  }
  bool SetUnicodeText(const char16_t* text, size_t length) override {
    if (Fails("set")) return false;
    m_content[kCfUnicodeText] = std::string(reinterpret_cast<const char*>(text), (length + 1) * 2);
    return Changed(), true;
  }
  void Close() override;
  CString16 AnsiToUnicode(const char* bytes, size_t length) override;

 private:
  // Logs the call, runs its hook, and tells whether it is planned to fail.
  bool Fails(const char* call);
  bool m_bEmptied = false;
};
