#include <gtest/gtest.h>

#include <ostream>

#include "colortools/zoomgeometry.h"

using namespace huevox;

namespace {

struct CopyRow {
  int boxWidth, boxHeight;
  float zoom;
  int pointerX, pointerY;
  ZoomRect source;
  int destWidth, destHeight;
  std::array<int, 2> pointerBlock;
};

std::ostream& operator<<(std::ostream& out, const CopyRow& row) {
  return out << row.boxWidth << "x" << row.boxHeight << " Z=" << row.zoom << " at (" << row.pointerX
             << "," << row.pointerY << ")";
}

class ZoomCopyTest : public testing::TestWithParam<CopyRow> {};

TEST_P(ZoomCopyTest, SourceDestinationAndPointerBlock) {
  const CopyRow& row = GetParam();
  const ZoomCopy copy = ComputeZoomCopy(row.boxWidth, row.boxHeight, row.zoom, row.pointerX, row.pointerY);
  EXPECT_EQ(copy.source, row.source);
  EXPECT_EQ(copy.destWidth, row.destWidth);
  EXPECT_EQ(copy.destHeight, row.destHeight);
  EXPECT_EQ(PointerBlockOrigin(row.boxWidth, row.boxHeight, row.zoom), row.pointerBlock);
  // Every source pixel gets a whole block (at whole magnifications).
  if (row.zoom == static_cast<int>(row.zoom)) {
    EXPECT_EQ(copy.destWidth, copy.source.width * row.zoom);
    EXPECT_EQ(copy.destHeight, copy.source.height * row.zoom);
  }
  // The pointer's pixel lands in the block the window documents.
  const int column = row.pointerX - copy.source.x;
  const int line = row.pointerY - copy.source.y;
  EXPECT_EQ(RoundHalfEven(column * double(row.zoom)), row.pointerBlock[0]);
  EXPECT_EQ(RoundHalfEven(line * double(row.zoom)), row.pointerBlock[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoomCopyTest,
    testing::Values(
        // The window's own box (2-pixel border) and the bare client area.
        CopyRow{217, 152, 10, 500, 400, {490, 393, 22, 16}, 220, 160, {100, 70}},
        CopyRow{221, 156, 10, 500, 400, {489, 393, 23, 16}, 230, 160, {110, 70}},
        // Already a whole multiple: nothing widens.
        CopyRow{200, 150, 10, 500, 400, {490, 393, 20, 15}, 200, 150, {100, 70}},
        // At the screen's corner the source reaches off the screen.
        CopyRow{217, 152, 10, 0, 0, {-10, -7, 22, 16}, 220, 160, {100, 70}},
        // A fractional magnification: 2.5 * 5 = 12.5 rounds to even.
        CopyRow{11, 11, 2.5f, 100, 100, {98, 98, 5, 5}, 12, 12, {5, 5}},
        // 7 + 3.5 = 10.5 rounds back to 10; 3.5 * 1 rounds to 4.
        CopyRow{10, 7, 3.5f, 50, 50, {49, 49, 3, 2}, 10, 7, {4, 4}}));

struct LinesRow {
  int extent;
  float zoom;
  std::vector<int> lines;
};

class GridLinesTest : public testing::TestWithParam<LinesRow> {};

TEST_P(GridLinesTest, Positions) {
  const LinesRow& row = GetParam();
  EXPECT_EQ(GridLinePositions(row.extent, row.zoom), row.lines);
}

std::vector<int> Steps(int from, int to, int step) {
  std::vector<int> out;
  for (int i = from; i <= to; i += step) out.push_back(i);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GridLinesTest,
    testing::Values(LinesRow{217, 10, Steps(0, 210, 10)},  // 22 vertical lines, as in the worked example
                    LinesRow{152, 10, Steps(0, 150, 10)},  // 16 horizontal lines
                    LinesRow{200, 10, Steps(0, 200, 10)},  // the last one on the far edge
                    LinesRow{9, 10, {0}},
                    LinesRow{11, 3.5f, {0, 4, 7, 10}},  // 3.5 rounds to 4, 10.5 to 10
                    LinesRow{217, 2.5f, {}},            // too small for a grid
                    LinesRow{217, 2.99f, {}}));

struct MarkerRow {
  int boxWidth, boxHeight;
  std::array<ZoomRect, 4> bars;
};

class MarkerBarsTest : public testing::TestWithParam<MarkerRow> {};

TEST_P(MarkerBarsTest, TopLeftBottomRight) {
  const MarkerRow& row = GetParam();
  const auto bars = MarkerBars(row.boxWidth, row.boxHeight);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bars[i], row.bars[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkerBarsTest,
    testing::Values(
        // cx = 108.5: 99.5 and 114.5 round to even, 100 and 114.
        MarkerRow{217, 152, {{{100, 67, 18, 5}, {100, 67, 5, 18}, {100, 82, 18, 5}, {114, 67, 5, 18}}}},
        // cx = 110.5: 101.5 -> 102, 116.5 -> 116.
        MarkerRow{221, 156, {{{102, 69, 18, 5}, {102, 69, 5, 18}, {102, 84, 18, 5}, {116, 69, 5, 18}}}},
        MarkerRow{200, 150, {{{91, 66, 18, 5}, {91, 66, 5, 18}, {91, 81, 18, 5}, {106, 66, 5, 18}}}},
        // cy = 75.5: 66.5 -> 66, 81.5 -> 82.
        MarkerRow{200, 151, {{{91, 66, 18, 5}, {91, 66, 5, 18}, {91, 82, 18, 5}, {106, 66, 5, 18}}}}));

}  // namespace
