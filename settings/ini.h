#pragma once
// Profile (INI) files with the semantics of the platform's profile functions:
// names match without regard to case, the first section and key win, blanks
// round keys and values are ignored, one pair of quotes round a value is
// dropped, and a write leaves every other line byte for byte as it was.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace huevox {

class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument FromBytes(std::string_view bytes);

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Replaces the first matching key in place, or adds it at the end of its
  // section, or adds the section at the end. CR and LF in a value become spaces.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  std::string ToBytes() const;

 private:
  struct Line {
    std::string raw;     // bytes as in the file, without the line end
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
  };
  std::string Decode(std::string_view raw) const;
  std::string Encode(std::string_view text) const;

  std::string bom_;
  std::vector<Line> lines_;
};

// Longest value ReadIni hands back, in characters.
inline constexpr std::size_t kIniValueMax = 749;
// Files are read only this far: a huge or binary file never stalls the program.
inline constexpr std::size_t kIniReadLimit = 4u << 20;

// The value, cut to kIniValueMax characters; empty when file, section or key is missing.
std::string ReadIni(std::string_view section, std::string_view key, std::string_view file);
// Several keys of one file: read it once, then look each key up as ReadIni does.
IniDocument ReadIniFile(std::string_view file);  // empty when unreadable
std::string ReadIni(const IniDocument& document, std::string_view section, std::string_view key);
// Writes KEY=value (key upper-cased). Empty on success.
std::error_code WriteIni(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file);

}  // namespace huevox
