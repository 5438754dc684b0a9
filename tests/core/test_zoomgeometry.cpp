#include <gtest/gtest.h>

#include "colortools/zoomgeometry.h"

using namespace huevox;

namespace {

// At the zoom window's magnification, 10.
struct ZoomRow {
  int boxWidth, boxHeight, pointerX, pointerY;
  ZoomRect source;
  int destWidth, destHeight;
  std::array<int, 2> pointerBlock;
  std::array<ZoomRect, 4> bars;  // top, left, bottom, right
};

class ZoomGeometryTest : public testing::TestWithParam<ZoomRow> {};

TEST_P(ZoomGeometryTest, CopyPointerBlockAndMarker) {
  const ZoomRow& row = GetParam();
  const ZoomCopy copy = ComputeZoomCopy(row.boxWidth, row.boxHeight, 10, row.pointerX, row.pointerY);
  EXPECT_EQ(copy.source, row.source);
  EXPECT_EQ(copy.destWidth, row.destWidth);
  EXPECT_EQ(copy.destHeight, row.destHeight);
  EXPECT_EQ(PointerBlockOrigin(row.boxWidth, row.boxHeight, 10), row.pointerBlock);
  EXPECT_EQ(MarkerBars(row.boxWidth, row.boxHeight), row.bars);
  EXPECT_EQ(GridLinePositions(row.boxWidth, 10).back(), row.boxWidth / 10 * 10);  // up to the box's edge
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoomGeometryTest,
    testing::Values(
        // The window's own box (2-pixel border): cx = 108.5, so 99.5 and 114.5 round to even.
        ZoomRow{217, 152, 500, 400, {490, 393, 22, 16}, 220, 160, {100, 70},
                {{{100, 67, 18, 5}, {100, 67, 5, 18}, {100, 82, 18, 5}, {114, 67, 5, 18}}}},
        // The bare client area: 101.5 -> 102, 116.5 -> 116.
        ZoomRow{221, 156, 500, 400, {489, 393, 23, 16}, 230, 160, {110, 70},
                {{{102, 69, 18, 5}, {102, 69, 5, 18}, {102, 84, 18, 5}, {116, 69, 5, 18}}}},
        // Already a whole multiple: nothing widens.
        ZoomRow{200, 150, 500, 400, {490, 393, 20, 15}, 200, 150, {100, 70},
                {{{91, 66, 18, 5}, {91, 66, 5, 18}, {91, 81, 18, 5}, {106, 66, 5, 18}}}},
        // At the screen's corner the source reaches off it; cy = 75.5: 81.5 -> 82.
        ZoomRow{200, 151, 0, 0, {-10, -7, 20, 16}, 200, 160, {100, 70},
                {{{91, 66, 18, 5}, {91, 66, 5, 18}, {91, 82, 18, 5}, {106, 66, 5, 18}}}}));

}  // namespace
