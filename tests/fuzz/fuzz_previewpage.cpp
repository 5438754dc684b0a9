// Any four values: the preview line reads, as an HTML tokenizer reads it, as
// exactly a body and a font element with exactly their attributes, then the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "output/pagetext.h"
#include "settings/textcodec.h"

using namespace huevox;
using Tag = std::pair<std::string, std::map<std::string, std::string>>;

static std::string Decoded(const std::string& v) {  // the references the page uses
  static const std::map<std::string, char32_t> named{{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}};
  std::u32string out;
  for (size_t i = 0; i < v.size(); ++i) {
    const size_t semi = v.find(';', i);
    if (v[i] != '&' || semi == std::string::npos) {  // a run of characters as themselves, some in UTF-8
      const size_t end = std::min(v.find('&', i + 1), v.size());
      out += ToCodePoints(v.substr(i, end - i));
      i = end - 1;
      continue;
    }
    const std::string ref = v.substr(i + 1, semi - i - 1);
    out += ref[0] == '#' ? static_cast<char32_t>(std::stoul(ref.substr(1))) : named.at(ref);
    i = semi;
  }
  return FromCodePoints(out);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FontSetting s{in.ConsumeRandomLengthString(), in.ConsumeRandomLengthString(), in.ConsumeRandomLengthString(),
                in.ConsumeRemainingBytesAsString()};
  const std::string page = PreviewPageLine(s), blank = " \t\n\f\r";
  std::vector<Tag> tags;
  size_t i = 0;
  while (i < page.size() && page[i] == '<') {
    const size_t nameEnd = page.find_first_of(blank + "/>", ++i);
    Tag tag{page.substr(i, nameEnd - i), {}};
    for (i = page.find_first_not_of(blank + "/", nameEnd); page.at(i) != '>';
         i = page.find_first_not_of(blank + "/", i)) {
      const size_t eq = page.find_first_of(blank + "/>=", i);
      const std::string name = page.substr(i, eq - i);
      if (tag.second.count(name) || page.at(eq) != '=') abort();  // repeated, or without a value
      const char quote = page.at(eq + 1) == '"' || page[eq + 1] == '\'' ? page[eq + 1] : 0;
      const size_t start = eq + 1 + (quote ? 1 : 0);
      const size_t end = quote ? page.find(quote, start) : page.find_first_of(blank + ">", start);
      if (end == std::string::npos) abort();  // a value running off the line
      tag.second[name] = Decoded(page.substr(start, end - start));
      i = end + (quote ? 1 : 0);
    }
    tags.push_back(tag);
    ++i;
  }
  auto n = [](const std::string& v) { return FromCodePoints(ToCodePoints(v)); };
  const std::vector<Tag> want{
      {"body", {{"bgcolor", n("#" + s.backgroundColor)}}},
      {"font", {{"face", n(s.face)}, {"color", n("#" + s.fontColor)}, {"size", "1"}, {"ptsize", n(s.size)}}}};
  if (tags != want || page.substr(i) != " This is what your font will look like! :-P") abort();
  return 0;
}
