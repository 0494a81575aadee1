#include "core/ClipItem.h"

#include <ctime>

CLIP_ITEM::CLIP_ITEM() : tCreated(static_cast<int64_t>(std::time(nullptr))) {}
