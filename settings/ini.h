#pragma once
// Profile (INI) files with the semantics of the platform's profile functions:
// names match without regard to case, the first section and key win, blanks
// round names and values are ignored (Ctrl-Z, vertical tab and form feed count
// as blanks), one pair of quotes round a value is dropped, and a write leaves
// every other line byte for byte as it was. A file is in the system's code page
// unless a byte order mark says UTF-8 or UTF-16; a write keeps its encoding.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace huevox {

class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument FromBytes(std::string bytes);

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Replaces the first matching key in place, or adds it at the end of its
  // section, or adds the section at the end. CR and LF in a value become spaces.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  std::string ToBytes() const;

 private:
  enum class Form { CodePage, Utf8, Utf16LE, Utf16BE };
  const std::string& Text() const { return decoded_ ? text_ : stored_; }
  static constexpr size_t kAtEnd = static_cast<size_t>(-1);
  // Replaces line index, or inserts text as new lines after it (kAtEnd: at the end).
  void EditLine(size_t index, bool insertAfter, std::string_view text);

  Form form_ = Form::CodePage;
  // The file after its byte order mark (UTF-16 held as UTF-8), and the same
  // decoded once, line for line; text_ is only kept when it differs.
  std::string stored_;
  std::string text_;
  bool decoded_ = false;
};

// Longest value ReadIni hands back, in characters.
inline constexpr std::size_t kIniValueMax = 749;
// Files are read only this far: a huge or binary file never stalls the program.
inline constexpr std::size_t kIniReadLimit = 4u << 20;

// The value, cut to kIniValueMax characters; empty when file, section or key is missing.
std::string ReadIni(std::string_view section, std::string_view key, std::string_view file);
// Several keys of one file: read it once, then look each key up as ReadIni does.
std::optional<IniDocument> ReadIniFile(std::string_view file);  // nothing when unreadable
std::string ReadIni(const IniDocument& document, std::string_view section, std::string_view key);
// Writes KEY=value (key upper-cased). Empty on success; a file that exists but
// cannot be read whole is never replaced.
std::error_code WriteIni(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file);

}  // namespace huevox
