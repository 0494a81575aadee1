#pragma once
// The history's clipboard port over the Win32 clipboard. Reading and writing
// both open the clipboard without an owner window, so no OLE is needed.
//
// A block returned by Fetch() is a view of the clipboard's own memory: no
// copy is made, however large the text. The clipboard keeps the memory only
// while it is open, so a block is usable until Release(); afterwards, and
// after the adapter is gone, it reports size 0 and cannot be locked.
#include <windows.h>

#include <memory>

#include "core/ClipboardPort.h"
#include "ui/Handles.h"

class CClipboardWin32 : public IClipboard {
 public:
  CClipboardWin32() = default;
  CClipboardWin32(const CClipboardWin32&) = delete;
  CClipboardWin32& operator=(const CClipboardWin32&) = delete;

  bool Attach() override;
  uint32_t SequenceNumber() override { return ::GetClipboardSequenceNumber(); }
  void Release() override;
  bool IsFormatAvailable(unsigned format) override;
  unsigned RegisterFormat(const char16_t* name) override;
  std::unique_ptr<IClipBlock> Fetch(unsigned format) override;

  bool Open() override;
  bool Empty() override;
  bool SetUnicodeText(const char16_t* text, size_t length) override;
  void Close() override;

  CString16 AnsiToUnicode(const char* bytes, size_t length) override;

 private:
  enum Opening { kClosed, kReading, kWriting };
  bool OpenClipboard(Opening opening);
  void CloseClipboard(Opening opening);

  CClipboardOpen m_open;
  Opening m_eOpening = kClosed;
  // Lives exactly as long as one opening of the clipboard; the blocks fetched
  // during it hold it weakly. Declared after m_open, so that on destruction
  // the blocks turn invalid before the clipboard closes.
  std::shared_ptr<const bool> m_pSession;
};
