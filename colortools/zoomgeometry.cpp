#include "colortools/zoomgeometry.h"

#include <cmath>

#include "core/rounding.h"

namespace huevox {

namespace {

int Round(double value) { return static_cast<int>(RoundHalfEven(value)); }

int Floor(double value) { return static_cast<int>(std::floor(value)); }

// One axis of the copy: source start and size, destination size.
void Widen(int box, double z, int pointer, int& start, int& size, int& dest) {
  dest = box;
  start = pointer - Floor(dest / 2.0 / z);
  size = Floor(dest / z);
  const int v = Floor(z * size);
  if (v > dest) dest = v;
  if (v < dest) {
    size += 1;
    dest = Round(v + z);
  }
}

}  // namespace

ZoomCopy ComputeZoomCopy(int boxWidth, int boxHeight, float zoom, int pointerX, int pointerY) {
  ZoomCopy copy;
  const double z = zoom;
  Widen(boxWidth, z, pointerX, copy.source.x, copy.source.width, copy.destWidth);
  Widen(boxHeight, z, pointerY, copy.source.y, copy.source.height, copy.destHeight);
  return copy;
}

std::array<int, 2> PointerBlockOrigin(int boxWidth, int boxHeight, float zoom) {
  const double z = zoom;
  return {Round(z * Floor(boxWidth / 2.0 / z)), Round(z * Floor(boxHeight / 2.0 / z))};
}

std::vector<int> GridLinePositions(int extent, float zoom) {
  std::vector<int> lines;
  if (zoom < kMinimumGridZoom) return lines;
  for (float x = 0; x <= static_cast<float>(extent); x += zoom) lines.push_back(Round(x));
  return lines;
}

std::array<ZoomRect, 4> MarkerBars(int boxWidth, int boxHeight) {
  const double cx = boxWidth / 2.0;
  const double cy = boxHeight / 2.0;
  const int left = Round(cx - 9);
  const int top = Round(cy - 9);
  return {{
      {left, top, 18, 5},
      {left, top, 5, 18},
      {left, Round(cy + 6), 18, 5},
      {Round(cx + 6), top, 5, 18},
  }};
}

}  // namespace huevox
