#pragma once
// Profile (INI) files read with the semantics of the platform's profile
// functions: names match without regard to case, the first section and key
// win, blanks round names and values are ignored (Ctrl-Z, vertical tab and
// form feed count as blanks) and one pair of quotes round a value is dropped.
// A file is in the system's code page unless a byte order mark says UTF-8 or
// UTF-16.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace huevox {

class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument FromBytes(std::string bytes);

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

 private:
  std::string text_;  // the file after its byte order mark, as UTF-8
};

// Longest value ReadIni hands back, in characters.
inline constexpr std::size_t kIniValueMax = 749;
// Files are read only this far: a huge or binary file never stalls the program.
inline constexpr std::size_t kIniReadLimit = 4u << 20;

// Read once, then each key looked up with ReadIni; nothing when unreadable.
std::optional<IniDocument> ReadIniFile(std::string_view file);
// The value, cut to kIniValueMax characters; empty when section or key is missing.
std::string ReadIni(const IniDocument& document, std::string_view section, std::string_view key);

}  // namespace huevox
