#include "settings/ini.h"

#include <algorithm>
#include <filesystem>

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

LineSpan NthLine(std::string_view s, size_t index) {
  LineSpan line = LineAt(s, 0);
  while (index-- > 0) line = LineAt(s, line.next);
  return line;
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

// Where a key is, or where it would go, in the first section of that name.
struct Location {
  bool sectionFound = false;
  std::optional<size_t> keyLine;
  size_t lastContent = 0;  // last non-blank line of the section, its header at least
  std::string_view value;
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
  Location at;
  bool inSection = false;
  for (size_t pos = 0, index = 0; pos < text.size(); ++index) {
    const LineSpan span = LineAt(text, pos);
    pos = span.next;
    if (span.start == span.end) continue;  // files of line ends are common enough
    const std::string_view line = text.substr(span.start, span.end - span.start);
    if (const auto name = SectionName(line)) {
      if (inSection) break;
      inSection = at.sectionFound = EqualsIgnoreCase(*name, section);
      at.lastContent = index;
      continue;
    }
    if (!inSection) continue;
    if (const auto kv = ParseKeyLine(line); kv && EqualsIgnoreCase(kv->key, key)) {
      at.keyLine = index;
      at.value = kv->value;
      break;
    }
    if (!Trim(line).empty()) at.lastContent = index;
  }
  return at;
}

bool IsAscii(std::string_view s) {
  return std::none_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
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
    // Notepad's "Unicode": held as UTF-8, written back as UTF-16.
    const bool bigEndian = view.starts_with(kUtf16BeBom);
    doc.form_ = bigEndian ? Form::Utf16BE : Form::Utf16LE;
    doc.stored_ = DecodeUtf16(view.substr(2), bigEndian);
    return doc;
  }
  if (view.starts_with(kUtf8Bom)) {
    doc.form_ = Form::Utf8;
    bytes.erase(0, kUtf8Bom.size());
  }
  doc.stored_ = std::move(bytes);
  if (IsAscii(doc.stored_)) return doc;
  // Line by line, so that a stray byte never joins two lines.
  const std::string_view s = doc.stored_;
  doc.text_.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) {
    const LineSpan line = LineAt(s, pos);
    const std::string_view raw = s.substr(line.start, line.end - line.start);
    doc.text_ += doc.form_ == Form::Utf8 ? FromCodePoints(ToCodePoints(raw)) : DecodeFileText(raw);
    doc.text_ += s.substr(line.end, line.next - line.end);
    pos = line.next;
  }
  doc.decoded_ = doc.text_ != doc.stored_;
  if (!doc.decoded_) std::string().swap(doc.text_);
  return doc;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  const Location at = Locate(Text(), section, key);
  if (!at.keyLine) return std::nullopt;
  return std::string(at.value);
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string line = std::string(key) + "=" + OneLine(value);
  const Location at = Locate(Text(), section, key);
  if (at.keyLine) return EditLine(*at.keyLine, false, line);
  if (at.sectionFound) return EditLine(at.lastContent, true, line);
  // Appended rather than added up: GCC 12 warns falsely (-Wrestrict) on "[" + string.
  std::string added = "[";
  added.append(section).append("]\r\n").append(line);
  EditLine(kAtEnd, true, added);
}

void IniDocument::EditLine(size_t index, bool insertAfter, std::string_view text) {
  const std::string encoded = form_ == Form::CodePage ? EncodeFileText(text) : std::string(text);
  if (!decoded_ && encoded != text) {
    text_ = stored_;
    decoded_ = true;
  }
  const auto edit = [&](std::string& s, std::string_view newText) {
    if (!insertAfter) {
      const LineSpan line = NthLine(s, index);
      s.replace(line.start, line.end - line.start, newText);
      return;
    }
    size_t at = index == kAtEnd ? s.size() : NthLine(s, index).next;
    // A last line without its line end gets one before the new line.
    if (at == s.size() && !s.empty() && s.back() != '\n' && s.back() != '\r') {
      s += "\r\n";
      at = s.size();
    }
    s.insert(at, std::string(newText) + "\r\n");
  };
  edit(stored_, encoded);
  if (decoded_) edit(text_, text);
}

std::string IniDocument::ToBytes() const {
  switch (form_) {
    case Form::Utf16LE:
      return std::string(kUtf16LeBom) + EncodeUtf16(stored_, false);
    case Form::Utf16BE:
      return std::string(kUtf16BeBom) + EncodeUtf16(stored_, true);
    case Form::Utf8:
      return std::string(kUtf8Bom) + stored_;
    case Form::CodePage:
      break;
  }
  return stored_;
}

std::optional<IniDocument> ReadIniFile(std::string_view file) {
  auto bytes = ReadFileHead(PathFromUtf8(file), kIniReadLimit);
  if (!bytes) return std::nullopt;
  return IniDocument::FromBytes(std::move(*bytes));
}

std::string ReadIni(const IniDocument& document, std::string_view section, std::string_view key) {
  const auto value = document.Value(section, ToLowerAscii(key));
  return value ? CutToCharacters(*value, kIniValueMax) : std::string();
}

std::string ReadIni(std::string_view section, std::string_view key, std::string_view file) {
  const auto document = ReadIniFile(file);
  return document ? ReadIni(*document, section, key) : std::string();
}

std::error_code WriteIni(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) {
  namespace fs = std::filesystem;
  const auto path = PathFromUtf8(file);
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  IniDocument doc;
  if (fs::exists(status)) {
    // Never replace what could not be read whole (a folder, a pipe, a read error): it would be lost.
    auto bytes = ReadFileHead(path, kIniReadLimit + 1);
    if (!bytes) return std::make_error_code(fs::is_regular_file(status) ? std::errc::io_error : std::errc::invalid_argument);
    if (bytes->size() > kIniReadLimit) return std::make_error_code(std::errc::file_too_large);
    doc = IniDocument::FromBytes(std::move(*bytes));
  } else if (ec && ec != std::errc::no_such_file_or_directory) {
    return ec;
  }
  doc.SetValue(section, ToUpperAscii(key), value);
  return WriteFileAtomically(path, doc.ToBytes());
}

}  // namespace huevox
