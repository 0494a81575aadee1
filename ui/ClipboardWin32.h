#pragma once
// The history's clipboard port over the Win32 clipboard. Reading and writing
// both open the clipboard without an owner window, so no OLE is needed.
//
// A block returned by Fetch() is a view of the clipboard's own memory: no
// copy is made, however large the text. The clipboard keeps the memory while
// it is open, so a block is usable only until Release(); afterwards it
// reports size 0 and cannot be locked.
#include <windows.h>

#include <cstdint>

#include "core/ClipboardPort.h"
#include "ui/Handles.h"

class CClipboardWin32 : public IClipboard {
 public:
  CClipboardWin32() = default;
  CClipboardWin32(const CClipboardWin32&) = delete;
  CClipboardWin32& operator=(const CClipboardWin32&) = delete;

  bool Attach() override;
  void Release() override;
  bool IsFormatAvailable(unsigned format) override;
  std::unique_ptr<IClipBlock> Fetch(unsigned format) override;

  bool Open() override;
  bool Empty() override;
  bool SetUnicodeText(const char16_t* text, size_t length) override;
  void Close() override;

  CString16 AnsiToUnicode(const char* bytes, size_t length) override;

 private:
  bool OpenClipboard();
  void CloseClipboard();

  CClipboardOpen m_open;
  // Counts closings; a block remembers the count it was fetched under.
  uint64_t m_nSession = 0;
};
