// Time and peak memory of loading a 4 MiB preset file made almost wholly of
// line ends, the worst case for a line-by-line reader.
// Prints one line per measure; the memory is the growth of the process's
// peak resident size (VmHWM) over its size before the run.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/presetstore.h"

namespace {

long PeakKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

template <typename F>
void Measure(const char* what, std::size_t fileBytes, F&& run) {
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  const long before = PeakKiB();
  const auto start = std::chrono::steady_clock::now();
  run();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double grownMiB = (PeakKiB() - before) / 1024.0;
  std::printf("%-34s %8.1f ms   peak memory +%6.1f MiB (%.1f x the file)\n", what, ms, grownMiB,
              grownMiB / (fileBytes / 1048576.0));
}

}  // namespace

int main() {
  // A fixed threshold: large blocks go back to the system when freed, so each
  // measure sees its own allocations rather than reused ones.
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "huevox-bench-presets";
  fs::create_directories(dir);
  const std::string file = (dir / "lines.ini").string();
  bool ok = true;
  // Line ends only; then short lines with a Windows-1252 byte, which are decoded.
  for (const std::string& line : {std::string("\n"), std::string("caf\xE9=1\r\n")}) {
    std::string bytes = "[config]\r\n";
    while (bytes.size() + line.size() < (4u << 20) - 128) bytes += line;
    bytes += "FONTCOLOR=FF0000\r\nBGCOLOR=FFFFFF\r\nFONT=Tahoma\r\nSIZE=8\r\nSTYLE=2\r\n";
    std::ofstream(file, std::ios::binary) << bytes;
    const std::size_t size = bytes.size();
    std::printf("file: %zu bytes, %zu lines of %zu bytes\n", size, (size - 100) / line.size(),
                line.size());
    std::string().swap(bytes);

    Measure("  LoadPreset (five keys)", size, [&] {
      const auto preset = huevox::LoadPreset(file);
      ok = ok && preset && preset->style == 2 && preset->face == "Tahoma";
    });
  }
  fs::remove_all(dir);
  if (!ok) std::puts("FAILED: wrong values");
  return ok ? 0 : 1;
}
