#pragma once
// A clipboard in memory that can misbehave the ways a real one does: held by
// another program, offering only ANSI or no text, blocks larger than their
// text, blocks that cannot be locked. It also records the order of calls.
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

  // Failures planned: the next n attaches, fetches, opens or empties fail.
  int m_nAttachFailures = 0, m_nFetchFailures = 0, m_nOpenFailures = 0, m_nEmptyFailures = 0;
  bool m_bFailLock = false, m_bFailSet = false;
  unsigned m_nFailLockFormat = 0;  // blocks of this format alone cannot be locked
  size_t m_nExtraBlockBytes = 0;   // reported beyond the data
  int m_nLocks = 0;                // locks of fetched blocks

  std::vector<std::string> m_log;  // "attach", "open", "empty", "set", "close", ...
  int m_nChanges = 0;              // closes after an empty: each one is a change notice
  bool m_bOpen = false, m_bAttached = false;

  // Runs once at the next Attach, before it answers: another program
  // changing the clipboard between a notice and the capture's opening.
  std::function<void()> m_fnBeforeAttach;
  // Runs once at the next Open, before it answers: a notice handed in
  // while this program opens the clipboard to write.
  std::function<void()> m_fnBeforeOpen;
  // Runs once at the next Release, before it returns: a notice handed in
  // while the capture closes the clipboard, after it read it.
  std::function<void()> m_fnOnRelease;
  // The viewer that hears of each change; none: changes go unheard.
  std::function<void()> m_fnViewer;
  // Changes are announced later, by DeliverLaterNotices(), as when a viewer
  // of another program heads the chain and passes notices on in its own time.
  bool m_bNoticeLater = false;
  int m_nLaterNotices = 0;
  void DeliverLaterNotices();

  static std::string Block(const std::u16string& s);  // UTF-16 bytes with the terminator
  void SetUnicode(const std::u16string& s);           // with terminator
  void SetAnsi(const std::string& s);
  std::u16string Unicode() const;  // what CF_UNICODETEXT holds, without terminator

  // Every change of the content takes the next number, as the system's
  // sequence number does; tests that write m_content themselves call
  // Changed(). m_bUnnumbered: a system that cannot tell (0).
  uint32_t m_nSequence = 1;
  bool m_bUnnumbered = false;
  void Changed() { ++m_nSequence; }

  bool Attach() override;
  void Release() override;
  uint32_t SequenceNumber() override { return m_bUnnumbered ? 0 : m_nSequence; }
  bool IsFormatAvailable(unsigned format) override;
  // Numbers from 0xC000 up, one per name, as the system gives them.
  unsigned RegisterFormat(const char16_t* name) override;
  std::map<std::u16string, unsigned> m_mapRegistered;
  int m_nRegistrations = 0;  // calls, not names
  std::unique_ptr<IClipBlock> Fetch(unsigned format) override;
  bool Open() override;
  bool Empty() override;
  bool SetUnicodeText(const char16_t* text, size_t length) override;
  void Close() override;
  CString16 AnsiToUnicode(const char* bytes, size_t length) override;

 private:
  bool m_bEmptied = false;
};
