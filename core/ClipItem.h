#pragma once
#include <cstdint>

#include "base/Text.h"

// One history entry. tCreated never changes after construction, whatever
// happens to the text, the bookmark or the item's place in the history.
struct CLIP_ITEM {
  CLIP_ITEM();
  CString16 strText;
  BOOL bBookmark = FALSE;
  int64_t tCreated;
  // Given by the history, never reused: a command that waits for the user
  // finds its items again by it (an address may be reused by a newer item).
  uint64_t nSerial = 0;
};

struct FIND_CRITERIA {
  CString16 strText;
  BOOL bMatchCase = FALSE;
  BOOL bWholeWord = FALSE;
};
