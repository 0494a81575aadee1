// The arithmetic of the windows' places: docking the main window while it is
// dragged, and the clip window at the cursor.
// Catches: docking that snaps at the wrong distance or edge, a clip window placed or flipped
// wrongly at the screen edges.
#include <windows.h>
#include <gtest/gtest.h>

#include "frame/Docking.h"
#include "tests/support/WinTestSupport.h"
#include "views/SmallClipDlg.h"

namespace {

TEST(DockingTest, EdgesSnapWithinTwelvePixelsInTheirOrder) {
  // A 1280 x 1024 screen with the task bar at the bottom: work area to 994.
  const RECT work{0, 0, 1280, 994};
  const POINT grab{50, 10};  // where the caption was taken
  const struct {
    const char* what;
    POINT windowAt;  // where the cursor puts the window's corner
    LONG width, height;
    RECT docked;
  } cases[] = {
      {"bottom edge at 1000 snaps to 994", {300, 450}, 360, 550, {300, 444, 660, 994}},
      {"left edge at 7 snaps to 0", {7, 200}, 360, 550, {0, 200, 360, 750}},
      {"left edge at 12 stays", {12, 200}, 360, 550, {12, 200, 372, 750}},
      {"left edge at -12 stays", {-12, 200}, 360, 550, {-12, 200, 348, 750}},
      {"left edge at -11 snaps", {-11, 200}, 360, 550, {0, 200, 360, 750}},
      {"top edge at -5 snaps to 0", {300, -5}, 360, 550, {300, 0, 660, 550}},
      {"right edge at 1290 snaps to 1280", {930, 100}, 360, 550, {920, 100, 1280, 650}},
      {"right edge at 1292 stays", {932, 100}, 360, 550, {932, 100, 1292, 650}},
      {"nowhere near an edge", {400, 200}, 360, 550, {400, 200, 760, 750}},
      // Taller than the work area: the bottom snap comes last and wins.
      {"taller than the work area", {100, 3}, 360, 1000, {100, -6, 460, 994}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RECT proposed{0, 0, c.width, c.height};  // only its size counts
    const POINT cursor{c.windowAt.x + grab.x, c.windowAt.y + grab.y};
    const RECT r = DockedRect(proposed, cursor, grab, work);
    EXPECT_EQ(Corners(r), Corners(c.docked));
  }
}

TEST(ClipWindowPlacementTest, FlipsOnlyWhenItWouldPassTheScreensEdge) {
  const SIZE screen{1920, 1080}, window{415, 250};
  const struct {
    POINT cursor, at;
  } cases[] = {
      {{1800, 1000}, {1385, 750}}, {{100, 100}, {100, 100}},
      {{1505, 830}, {1505, 830}},  // 1505 + 415 = 1920 is not greater than 1920
      {{1506, 831}, {1091, 581}},  {{300, 1000}, {300, 750}},
  };
  for (const auto& c : cases) {
    const POINT at = CSmallClipDlg::PlaceAtCursor(c.cursor, window, screen);
    EXPECT_EQ(at.x, c.at.x) << c.cursor.x;
    EXPECT_EQ(at.y, c.at.y) << c.cursor.y;
  }
  // Larger than the room on either side: nothing is clamped.
  const POINT big = CSmallClipDlg::PlaceAtCursor({100, 100}, {3000, 2000}, screen);
  EXPECT_EQ(big.x, -2900);
  EXPECT_EQ(big.y, -1900);
}

}  // namespace
