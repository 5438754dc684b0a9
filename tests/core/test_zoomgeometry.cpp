#include <gtest/gtest.h>

#include "colortools/zoomgeometry.h"

using namespace huevox;

// At the zoom window's magnification, 10. The window's own box, 217 x 152
// (cx = 108.5: 99.5 and 114.5 round to even), is checked pixel by pixel in
// tst_colortools.
TEST(ZoomGeometry, CopyPointerBlockAndMarker) {
  const struct {
    int boxWidth, boxHeight, pointerX, pointerY;
    ZoomRect source;
    int destWidth, destHeight;
    std::array<int, 2> pointerBlock;
    std::array<ZoomRect, 4> bars;  // top, left, bottom, right
  } rows[] = {
      // The bare client area: 101.5 -> 102, 116.5 -> 116.
      {221, 156, 500, 400, {489, 393, 23, 16}, 230, 160, {110, 70},
       {{{102, 69, 18, 5}, {102, 69, 5, 18}, {102, 84, 18, 5}, {116, 69, 5, 18}}}},
      // Already a whole multiple: nothing widens.
      {200, 150, 500, 400, {490, 393, 20, 15}, 200, 150, {100, 70},
       {{{91, 66, 18, 5}, {91, 66, 5, 18}, {91, 81, 18, 5}, {106, 66, 5, 18}}}},
      // At the screen's corner the source reaches off it; cy = 75.5: 81.5 -> 82.
      {200, 151, 0, 0, {-10, -7, 20, 16}, 200, 160, {100, 70},
       {{{91, 66, 18, 5}, {91, 66, 5, 18}, {91, 82, 18, 5}, {106, 66, 5, 18}}}},
  };
  for (const auto& row : rows) {
    const ZoomCopy copy = ComputeZoomCopy(row.boxWidth, row.boxHeight, 10, row.pointerX, row.pointerY);
    EXPECT_EQ(copy.source, row.source) << row.boxWidth << "x" << row.boxHeight;
    EXPECT_EQ(copy.destWidth, row.destWidth);
    EXPECT_EQ(copy.destHeight, row.destHeight);
    EXPECT_EQ(PointerBlockOrigin(row.boxWidth, row.boxHeight, 10), row.pointerBlock);
    EXPECT_EQ(MarkerBars(row.boxWidth, row.boxHeight), row.bars) << row.boxWidth << "x" << row.boxHeight;
    EXPECT_EQ(GridLinePositions(row.boxWidth, 10).back(), row.boxWidth / 10 * 10);  // up to the box's edge
  }
}
