#include "settings/ini.h"

#include <algorithm>

#include "settings/fileio.h"
#include "settings/textcodec.h"

namespace huevox {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Blanks as the profile functions take them; Ctrl-Z is the old end-of-file mark.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// One line of text: [start, end) without its line end, next after it.
struct LineSpan {
  size_t start, end, next;
};

LineSpan LineAt(std::string_view s, size_t start) {
  size_t end = start;
  while (end < s.size() && s[end] != '\r' && s[end] != '\n') ++end;
  if (end == s.size()) return {start, end, end};
  const bool crlf = s[end] == '\r' && end + 1 < s.size() && s[end + 1] == '\n';
  return {start, end, end + (crlf ? 2 : 1)};
}

// "[name]" gives name; anything else gives nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  KeyLine kv{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
  if (kv.key.empty()) return std::nullopt;
  const std::string_view v = kv.value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    kv.value = v.substr(1, v.size() - 2);
  return kv;
}

// The value of the first such key in the first section of that name.
std::optional<std::string_view> Locate(std::string_view text, std::string_view section,
                                       std::string_view key) {
  bool inSection = false;
  for (size_t pos = 0; pos < text.size();) {
    const LineSpan span = LineAt(text, pos);
    pos = span.next;
    if (span.start == span.end) continue;  // files of line ends are common enough
    const std::string_view line = text.substr(span.start, span.end - span.start);
    if (const auto name = SectionName(line)) {
      if (inSection) break;
      inSection = EqualsIgnoreCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    if (const auto kv = ParseKeyLine(line); kv && EqualsIgnoreCase(kv->key, key)) return kv->value;
  }
  return std::nullopt;
}

bool IsAscii(std::string_view s) {
  return std::none_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string CutToCharacters(std::string_view utf8, size_t count) {
  const std::u32string cps = ToCodePoints(utf8);
  if (cps.size() <= count) return std::string(utf8);
  return FromCodePoints(std::u32string_view(cps).substr(0, count));
}

}  // namespace

IniDocument IniDocument::FromBytes(std::string bytes) {
  IniDocument doc;
  const std::string_view view = bytes;
  if (view.starts_with(kUtf16LeBom) || view.starts_with(kUtf16BeBom)) {
    doc.text_ = DecodeUtf16(view.substr(2), view.starts_with(kUtf16BeBom));  // Notepad's "Unicode"
    return doc;
  }
  const bool utf8 = view.starts_with(kUtf8Bom);
  if (utf8) bytes.erase(0, kUtf8Bom.size());
  if (IsAscii(bytes)) {
    doc.text_ = std::move(bytes);
    return doc;
  }
  // Line by line, so that a stray byte never joins two lines.
  const std::string_view s = bytes;
  doc.text_.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) {
    const LineSpan line = LineAt(s, pos);
    const std::string_view raw = s.substr(line.start, line.end - line.start);
    doc.text_ += utf8 ? FromCodePoints(ToCodePoints(raw)) : DecodeFileText(raw);
    doc.text_ += s.substr(line.end, line.next - line.end);
    pos = line.next;
  }
  return doc;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  const auto value = Locate(text_, section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::optional<IniDocument> ReadIniFile(std::string_view file) {
  auto bytes = ReadFileHead(PathFromUtf8(file), kIniReadLimit);
  if (!bytes) return std::nullopt;
  return IniDocument::FromBytes(std::move(*bytes));
}

std::string ReadIni(const IniDocument& document, std::string_view section, std::string_view key) {
  const auto value = document.Value(section, key);
  return value ? CutToCharacters(*value, kIniValueMax) : std::string();
}

}  // namespace huevox
