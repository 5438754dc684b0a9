#include "settings/ini.h"

#include <algorithm>

#include "settings/fileio.h"
#include "settings/textcodec.h"

namespace huevox {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
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

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  return out;
}

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
  return out;
}

std::string OneLine(std::string_view value) {
  std::string out(value);
  std::replace(out.begin(), out.end(), '\r', ' ');
  std::replace(out.begin(), out.end(), '\n', ' ');
  return out;
}

std::string CutToCharacters(const std::string& utf8, size_t count) {
  const std::u32string cps = ToCodePoints(utf8);
  if (cps.size() <= count) return utf8;
  return FromCodePoints(std::u32string_view(cps).substr(0, count));
}

}  // namespace

IniDocument IniDocument::FromBytes(std::string_view bytes) {
  IniDocument doc;
  if (bytes.substr(0, kBom.size()) == kBom) {
    doc.bom_ = std::string(kBom);
    bytes.remove_prefix(kBom.size());
  }
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      doc.lines_.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    const size_t endingLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
    doc.lines_.push_back({std::string(bytes.substr(start, end - start)),
                          std::string(bytes.substr(end, endingLength))});
    start = end + endingLength;
  }
  return doc;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  bool inSection = false;
  bool seenSection = false;
  for (const Line& line : lines_) {
    const std::string text = Decode(line.raw);
    if (const auto name = SectionName(text)) {
      // Only the first matching section counts.
      if (inSection) return std::nullopt;
      inSection = !seenSection && EqualsIgnoreCase(*name, section);
      seenSection = seenSection || inSection;
      continue;
    }
    if (!inSection) continue;
    if (const auto kv = ParseKeyLine(text); kv && EqualsIgnoreCase(kv->key, key))
      return std::string(kv->value);
  }
  return std::nullopt;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string newLine = Encode(std::string(key) + "=" + OneLine(value));
  std::optional<size_t> sectionLine;
  size_t lastContent = 0;  // last non-blank line of the section
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string text = Decode(lines_[i].raw);
    if (const auto name = SectionName(text)) {
      if (sectionLine) break;
      if (EqualsIgnoreCase(*name, section)) sectionLine = lastContent = i;
      continue;
    }
    if (!sectionLine) continue;
    if (const auto kv = ParseKeyLine(text); kv && EqualsIgnoreCase(kv->key, key)) {
      lines_[i].raw = newLine;
      return;
    }
    if (!Trim(text).empty()) lastContent = i;
  }
  const bool appendsAtEnd = !sectionLine || lastContent + 1 == lines_.size();
  if (appendsAtEnd && !lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = "\r\n";
  if (sectionLine) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), {newLine, "\r\n"});
    return;
  }
  lines_.push_back({Encode("[" + std::string(section) + "]"), "\r\n"});
  lines_.push_back({newLine, "\r\n"});
}

// A byte order mark says UTF-8 whatever the code page, as the platform's
// profile functions take it.
std::string IniDocument::Decode(std::string_view raw) const {
  return bom_.empty() ? DecodeFileText(raw) : FromCodePoints(ToCodePoints(raw));
}

std::string IniDocument::Encode(std::string_view text) const {
  return bom_.empty() ? EncodeFileText(text) : std::string(text);
}

std::string IniDocument::ToBytes() const {
  std::string out = bom_;
  for (const Line& line : lines_) {
    out += line.raw;
    out += line.ending;
  }
  return out;
}

IniDocument ReadIniFile(std::string_view file) {
  const auto bytes = ReadFileHead(PathFromUtf8(file), kIniReadLimit);
  return bytes ? IniDocument::FromBytes(*bytes) : IniDocument();
}

std::string ReadIni(const IniDocument& document, std::string_view section, std::string_view key) {
  const auto value = document.Value(section, ToLowerAscii(key));
  return value ? CutToCharacters(*value, kIniValueMax) : std::string();
}

std::string ReadIni(std::string_view section, std::string_view key, std::string_view file) {
  return ReadIni(ReadIniFile(file), section, key);
}

std::error_code WriteIni(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) {
  const auto path = PathFromUtf8(file);
  std::error_code ec;
  IniDocument doc;
  if (std::filesystem::exists(path, ec)) {
    // Never rewrite a file that could not be read whole.
    const auto bytes = ReadFileHead(path, kIniReadLimit + 1);
    if (!bytes) return std::make_error_code(std::errc::io_error);
    if (bytes->size() > kIniReadLimit) return std::make_error_code(std::errc::file_too_large);
    doc = IniDocument::FromBytes(*bytes);
  }
  doc.SetValue(section, ToUpperAscii(key), value);
  return WriteFileAtomically(path, doc.ToBytes());
}

}  // namespace huevox
