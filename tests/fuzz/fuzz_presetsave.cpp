// Saves under any name: nothing is written outside the presets folder, no
// file there is replaced, and a save reported as done is on disk whole.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "settings/fileio.h"
#include "settings/presetstore.h"
#include "settings/textcodec.h"

using namespace huevox;
namespace fs = std::filesystem;

static fs::path root, folder;
static const char* const kOld[] = {"Summer.ini", "x.ini.ini", "\xC3\xA9t\xC3\xA9.ini"};
static const std::string kOldBytes = "[config]\r\nFONT=kept\r\n";

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  root = fs::temp_directory_path() / ("huevox-fuzz-" + std::to_string(getpid()));
  folder = root / "presets";
  fs::create_directories(folder);
  for (const char* name : kOld) std::ofstream(folder / PathFromUtf8(name), std::ios::binary) << kOldBytes;
  std::atexit([] { fs::remove_all(root); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FontSetting setting{in.ConsumeRandomLengthString(20), in.ConsumeRandomLengthString(20),
                      in.ConsumeRandomLengthString(40), in.ConsumeRandomLengthString(8), in.ConsumeIntegral<int>()};
  const std::string name = in.ConsumeRemainingBytesAsString();
  const bool saved = SavePreset(PathToUtf8(folder), name, setting).outcome == SaveResult::Outcome::Saved;
  const fs::path made = saved ? folder / PathFromUtf8(name + ".ini") : fs::path();
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path() == folder) continue;
    if (entry.path().parent_path() != folder || !entry.is_regular_file()) abort();
    const auto bytes = ReadFileHead(entry.path(), 1 << 16);
    if (!bytes || *bytes != (entry.path() == made ? PresetFileBytes(setting) : kOldBytes)) abort();
    ++files;
  }
  if (files != std::size(kOld) + saved) abort();
  if (saved) fs::remove(made);
  return 0;
}
