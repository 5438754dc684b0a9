// Any values: the messenger's font settings file has 17 lines, each ended by
// CR LF, and each value stands on its own line (line breaks made spaces).
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "output/pagetext.h"
#include "settings/fileio.h"

using namespace huevox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto path = std::filesystem::temp_directory_path() / ("huevox-fuzz-" + std::to_string(getpid()) + ".blt");
  FuzzedDataProvider in(data, size);
  FontSetting s{in.ConsumeRandomLengthString(), in.ConsumeRandomLengthString(), in.ConsumeRandomLengthString(),
                in.ConsumeRandomLengthString(), in.ConsumeIntegral<int>()};
  // A failed write leaves no lines, which fails below.
  const std::string bytes = SaveListToFile(path.string(), FontSettingsFileLines(s)) ? "" : *ReadFileHead(path, 1 << 20);
  std::filesystem::remove(path);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  auto oneLine = [](std::string v) { for (char& c : v) c = (c == '\r' || c == '\n') ? ' ' : c; return v; };
  const std::string style = s.style >= 0 && s.style <= 7 ? std::to_string(s.style) : "0";
  if (lines.size() != 17 || std::count(bytes.begin(), bytes.end(), '\n') != 17 ||
      std::count(bytes.begin(), bytes.end(), '\r') != 17 || !bytes.ends_with("\r\n") ||
      lines[8] != "  windowColor #" + oneLine(s.backgroundColor) || lines[9] != "  textColor #" + oneLine(s.fontColor) ||
      lines[10] != "  Size " + oneLine(s.size) || lines[11] != "  Face " + oneLine(s.face) || lines[12] != "  Style " + style)
    abort();
  return 0;
}
