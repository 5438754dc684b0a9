#pragma once
// Where the zoom window copies the screen from, where the copy lands, and
// where its grid and centre marker go. Plain arithmetic so it can be checked
// against hand-worked figures.
#include <array>
#include <vector>

namespace huevox {

struct ZoomRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ZoomRect&, const ZoomRect&) = default;
};

struct ZoomCopy {
  ZoomRect source;      // screen pixels around the pointer
  int destWidth = 0;    // widened so every screen pixel gets a whole block;
  int destHeight = 0;   // may reach past the box (the excess is clipped)
};

// boxWidth x boxHeight: the box's drawing area in its own pixels; zoom: the
// magnification; (pointerX, pointerY): the pointer in screen pixels.
ZoomCopy ComputeZoomCopy(int boxWidth, int boxHeight, float zoom, int pointerX, int pointerY);

// Top-left corner, in the box, of the block showing the pixel under the pointer.
std::array<int, 2> PointerBlockOrigin(int boxWidth, int boxHeight, float zoom);

// No grid below this magnification.
inline constexpr float kMinimumGridZoom = 3.0f;

// Positions of the grid lines 0, Z, 2Z, ... up to and including extent (the
// step added up in single precision, each position rounded); empty when Z is
// too small for a grid.
std::vector<int> GridLinePositions(int extent, float zoom);

// The four bars of the centre marker: top, left, bottom, right.
std::array<ZoomRect, 4> MarkerBars(int boxWidth, int boxHeight);

}  // namespace huevox
