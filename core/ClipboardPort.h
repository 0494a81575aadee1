#pragma once
// What the history needs of the system clipboard. Formats are the Win32
// numbers; everything else is the adapter's business.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/Text.h"

enum : unsigned { kCfText = 1, kCfUnicodeText = 13 };

// A data block fetched from the clipboard, owned by the caller.
class IClipBlock {
 public:
  virtual ~IClipBlock() = default;
  virtual size_t Size() = 0;       // byte size of the block, maybe above the text's
  virtual const void* Lock() = 0;  // null when the block cannot be locked
  virtual void Unlock() = 0;
};

class IClipboard {
 public:
  virtual ~IClipboard() = default;

  // Reading: attach to the current content, look at it, release it.
  virtual bool Attach() = 0;  // fails while another program holds the clipboard
  // GetClipboardSequenceNumber: a number that changes with every change of
  // the content, so that two notices of one change can be told from two
  // changes; 0 when the system cannot tell.
  virtual uint32_t SequenceNumber() = 0;
  virtual void Release() = 0;
  virtual bool IsFormatAvailable(unsigned format) = 0;
  // RegisterClipboardFormatW: the number of a named format, the same in
  // every program; 0 when the system refuses.
  virtual unsigned RegisterFormat(const char16_t* name) = 0;
  virtual std::unique_ptr<IClipBlock> Fetch(unsigned format) = 0;  // null: nothing this time

  // Writing.
  virtual bool Open() = 0;  // OpenClipboard(NULL)
  virtual bool Empty() = 0;
  // Allocates a movable block, copies text and terminator, hands it over.
  // False when the block cannot be allocated or locked; the hand-over itself
  // is not checked.
  virtual bool SetUnicodeText(const char16_t* text, size_t length) = 0;
  virtual void Close() = 0;

  // The system's ANSI code page to UTF-16.
  virtual CString16 AnsiToUnicode(const char* bytes, size_t length) = 0;
};
