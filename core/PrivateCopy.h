#pragma once
// Copies that no history may keep. Password managers and other careful
// programs put a marker format beside such a text; the marked copy stays on
// the clipboard but never becomes an item.
#include "core/ClipboardPort.h"

struct PRIVATE_FORMATS {
  unsigned nExclude = 0;       // "ExcludeClipboardContentFromMonitorProcessing"
  unsigned nViewerIgnore = 0;  // "Clipboard Viewer Ignore"
  unsigned nHistory = 0;       // "CanIncludeInClipboardHistory", a 32-bit 0 or 1

  // Registers the three by name; a name the system refuses stays 0 and
  // marks nothing.
  static PRIVATE_FORMATS Register(IClipboard& clipboard);
};

// Whether the attached clipboard holds a marked copy: either of the first two
// formats with any content, or the history format whose first 32 bits are 0
// (a block shorter than that marks nothing; a longer one may be the system
// rounding the block up). A history marker that cannot be read in
// fetchTries tries counts as a 0: a password is never kept because its
// marker could not be read.
bool IsPrivateCopy(IClipboard& clipboard, const PRIVATE_FORMATS& formats, int fetchTries);
