#include "output/pagetext.h"

#include "settings/textcodec.h"

namespace huevox {
namespace {

std::string Reference(char32_t c) { return "&#" + std::to_string(static_cast<unsigned long>(c)) + ";"; }

std::string Escape(std::string_view utf8, bool unquoted) {
  std::string out;
  out.reserve(utf8.size());
  for (const char32_t c : ToCodePoints(utf8)) {
    switch (c) {
      case U'&': out += "&amp;"; continue;
      case U'<': out += "&lt;"; continue;
      case U'>': out += "&gt;"; continue;
      case U'"': out += "&quot;"; continue;
      case U'\'': out += "&#39;"; continue;
      default: break;
    }
    const bool breaksUnquoted = c == U' ' || c == U'=' || c == U'`';
    // Browsers read references to U+0080 to U+009F as Windows-1252 ("&#128;"
    // is a euro sign), so those go in as themselves.
    const bool c1Control = c >= 0x80 && c <= 0x9F;
    if (c < 0x20 || (c >= 0x7F && !c1Control) || (unquoted && breaksUnquoted)) {
      out += Reference(c);
    } else {
      out += FromCodePoints(std::u32string_view(&c, 1));
    }
  }
  return out;
}

std::string OnOneLine(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

}  // namespace

std::string EscapeQuotedAttribute(std::string_view utf8) { return Escape(utf8, false); }
std::string EscapeUnquotedAttribute(std::string_view utf8) { return Escape(utf8, true); }

std::string PreviewPageLine(const FontSetting& setting) {
  return "<body bgcolor=#" + EscapeUnquotedAttribute(setting.backgroundColor) +
         "><font face=\"" + EscapeQuotedAttribute(setting.face) + "\" color=#" +
         EscapeUnquotedAttribute(setting.fontColor) + " size=1 ptsize=" +
         EscapeUnquotedAttribute(setting.size) + "> This is what your font will look like! :-P";
}

std::vector<std::string> FontSettingsFileLines(const FontSetting& setting) {
  // One digit, as the messenger expects; the style boxes give nothing else.
  const int style = setting.style >= 0 && setting.style <= 7 ? setting.style : 0;
  return {
      "Config {",
      " version 1",
      "}",
      "User {",
      " ScreenName ''newuser'",
      "}",
      "IM {",
      " font {",
      "  windowColor #" + OnOneLine(setting.backgroundColor),
      "  textColor #" + OnOneLine(setting.fontColor),
      "  Size " + OnOneLine(setting.size),
      "  Face " + OnOneLine(setting.face),
      "  Style " + std::to_string(style),
      "  Script 0",
      "  Zoom 100",
      " }",
      "}",
  };
}

}  // namespace huevox
