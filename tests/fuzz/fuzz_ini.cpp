// Any file bytes and any value: after WriteIni of a key, ReadIni gives the value
// back as the profile functions clean it (one line, blanks and one pair of
// quotes dropped, cut to 749 characters), and another key keeps its value.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "settings/ini.h"
#include "settings/textcodec.h"

using namespace huevox;

static std::string Cleaned(std::string v) {
  for (char& c : v) c = (c == '\r' || c == '\n') ? ' ' : c;
  const char* const blanks = " \t\v\f\x1a";  // Ctrl-Z, VT and FF are blanks to the profile functions
  v.erase(0, v.find_first_not_of(blanks));
  v.erase(v.find_last_not_of(blanks) + 1);
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  const std::u32string text = ToCodePoints(v);
  return FromCodePoints(std::u32string_view(text).substr(0, kIniValueMax));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* const names[] = {"fontcolor", "FONT", "Style", "config", "Config", "other"};
  static const std::string path = std::filesystem::temp_directory_path().string() + "/huevox-fuzz-" +
                                  std::to_string(getpid()) + ".ini";
  FuzzedDataProvider in(data, size);
  const std::string section = names[in.ConsumeIntegralInRange(3, 5)], key = names[in.ConsumeIntegralInRange(0, 2)];
  const std::string section2 = names[in.ConsumeIntegralInRange(3, 5)], key2 = names[in.ConsumeIntegralInRange(0, 2)];
  const std::string value = in.ConsumeRandomLengthString(2000);
  std::ofstream(path, std::ios::binary) << in.ConsumeRemainingBytesAsString();
  const std::string before = ReadIni(section2, key2, path);
  if (WriteIni(section, key, value, path) || ReadIni(section, key, path) != Cleaned(value)) abort();
  const bool same = EqualsIgnoreCase(section, section2) && EqualsIgnoreCase(key, key2);  // the key written
  if (!same && ReadIni(section2, key2, path) != before) abort();
  std::remove(path.c_str());
  return 0;
}
