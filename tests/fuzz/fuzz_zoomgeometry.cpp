// Any box size and pointer position on an X screen (16-bit coordinates) and
// any whole magnification: the source holds the pointer, the destination is a
// whole number of blocks covering the box by less than one block, and the
// pointer's block and the grid lie where they belong.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "colortools/zoomgeometry.h"

using namespace huevox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int w = in.ConsumeIntegralInRange(1, 8192), h = in.ConsumeIntegralInRange(1, 8192);
  const int z = in.ConsumeBool() ? 10 : in.ConsumeIntegralInRange(1, 64);
  const int px = in.ConsumeIntegralInRange(-32768, 32767), py = in.ConsumeIntegralInRange(-32768, 32767);
  const ZoomCopy c = ComputeZoomCopy(w, h, static_cast<float>(z), px, py);
  const ZoomRect& s = c.source;
  if (px < s.x || px >= s.x + s.width || py < s.y || py >= s.y + s.height) abort();
  if (c.destWidth != s.width * z || c.destHeight != s.height * z) abort();
  if (c.destWidth < w || c.destWidth >= w + z || c.destHeight < h || c.destHeight >= h + z) abort();
  if (PointerBlockOrigin(w, h, z) != std::array<int, 2>{(px - s.x) * z, (py - s.y) * z}) abort();
  const std::vector<int> grid = GridLinePositions(w, z);
  if ((z < 3) != grid.empty() || (z >= 3 && (grid.front() != 0 || grid.back() > w || grid.back() + z <= w))) abort();
  return 0;
}
