#pragma once
// The texts that the output operations write: the one-line preview page and the
// messenger's font settings file. Pure functions, so every byte can be checked.
#include <string>
#include <string_view>
#include <vector>

#include "settings/fontsetting.h"

namespace huevox {

inline constexpr const char* kPreviewPageName = "previewer.htm";
inline constexpr const char* kFontSettingsFileName = "font.blt";

// For a value inside a double-quoted attribute: & < > " ' become character
// references, as do control characters and everything outside ASCII (the page
// declares no encoding, so references read the same in any browser), except
// U+0080 to U+009F, whose references browsers take for other characters.
std::string EscapeQuotedAttribute(std::string_view utf8);
// For a value of an unquoted attribute, which white space, = and ` would end or
// disturb: those become references too.
std::string EscapeUnquotedAttribute(std::string_view utf8);

// The preview page's single line (the style is not part of it). Ordinary values
// come out as typed; nothing in a value can add markup or attributes.
std::string PreviewPageLine(const FontSetting& setting);

// The 17 lines of the messenger's font settings file. A line break inside a
// value would start a line of its own, so it becomes a space.
std::vector<std::string> FontSettingsFileLines(const FontSetting& setting);

}  // namespace huevox
