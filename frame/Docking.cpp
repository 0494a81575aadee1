#include "frame/Docking.h"

namespace {
constexpr int kSnap = 12;
bool Near(LONG value, LONG edge) { return edge - kSnap < value && value < edge + kSnap; }
}  // namespace

RECT DockedRect(const RECT& proposed, POINT cursor, POINT grabOffset, const RECT& workArea) {
  const LONG w = proposed.right - proposed.left, h = proposed.bottom - proposed.top;
  RECT r;
  r.left = cursor.x - grabOffset.x;
  r.top = cursor.y - grabOffset.y;
  r.right = r.left + w;
  r.bottom = r.top + h;
  if (Near(r.top, 0)) {
    r.top = 0;
    r.bottom = h;
  }
  if (Near(r.left, 0)) {
    r.left = 0;
    r.right = w;
  }
  if (Near(r.right, workArea.right)) {
    r.right = workArea.right;
    r.left = r.right - w;
  }
  if (Near(r.bottom, workArea.bottom)) {
    r.bottom = workArea.bottom;
    r.top = r.bottom - h;
  }
  return r;
}
