#pragma once
// The history as texts, newest first: what most tests compare.
#include <string>
#include <vector>

#include "core/TanselDoc.h"

inline std::vector<std::u16string> HistoryTexts(const CTanselDoc& doc) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < doc.GetItemCount(); ++i) texts.push_back(doc.GetItem(i)->strText);
  return texts;
}
