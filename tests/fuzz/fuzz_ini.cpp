// Any file loaded as a preset: each value is at most 749 characters of
// well-formed UTF-8 without a line break, and the style only a code that a
// style box stands for.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "settings/ini.h"
#include "settings/presetstore.h"
#include "settings/textcodec.h"
#include "styles/stylecode.h"

using namespace huevox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = std::filesystem::temp_directory_path().string() + "/huevox-fuzz-" +
                                  std::to_string(getpid()) + ".ini";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const std::optional<LoadedPreset> preset = LoadPreset(path);
  std::remove(path.c_str());
  if (!preset || (preset->style && !StyleBoxForCode(*preset->style))) abort();
  for (const std::string* value : {&preset->fontColor, &preset->backgroundColor, &preset->face, &preset->size}) {
    const std::u32string text = ToCodePoints(*value);
    if (text.size() > kIniValueMax || FromCodePoints(text) != *value || value->find_first_of("\r\n") != std::string::npos)
      abort();
  }
  return 0;
}
