// The settings file's reader and writer on any file content: setting "GalleryPath" of
// "[Options]" changes exactly one line (or adds one, or appends the section and the line), every
// other line keeps its bytes and its line break (a last line without one gains "\r\n" only when
// a line goes after it), and reading the setting back gives the value written.
#include <string>
#include <vector>

#include "app/settings/ini_file.h"
#include "fuzz_support.h"

using namespace zv;
using namespace zv::fuzz;

namespace {

struct Line {
  std::string text, end;
  bool operator==(const Line&) const = default;
};

std::vector<Line> Lines(const std::string& s) {
  std::vector<Line> out;
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t nl = s.find('\n', pos);
    if (nl == std::string::npos) {
      out.push_back({s.substr(pos), ""});
      break;
    }
    size_t end = nl;
    if (end > pos && s[end - 1] == '\r') --end;
    out.push_back({s.substr(pos, end - pos), s.substr(end, nl + 1 - end)});
    pos = nl + 1;
  }
  return out;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Lines equal, except that a line without a break may have gained "\r\n".
bool SameLine(const Line& before, const Line& after) {
  return before.text == after.text &&
         (before.end == after.end || (before.end.empty() && after.end == "\r\n"));
}

void CheckUpdate(const std::string& content, const std::string& value) {
  const std::string updated = IniUpdate(content, "Options", "GalleryPath", value);
  const std::vector<Line> a = Lines(content), b = Lines(updated);
  const std::string setting = "GalleryPath=" + value;
  size_t changed = 0;
  if (b.size() == a.size()) {
    for (size_t i = 0; i < a.size(); ++i) {
      if (SameLine(a[i], b[i])) continue;
      ++changed;
      ZV_FUZZ_CHECK(a[i].end == b[i].end, "a changed line lost its break");
      ZV_FUZZ_CHECK(
          b[i].text.size() >= value.size() &&
              b[i].text.compare(b[i].text.size() - value.size(), value.size(), value) == 0,
          "the changed line does not end in the value");
    }
    ZV_FUZZ_CHECK(changed <= 1, "more than one line changed");
  } else if (b.size() == a.size() + 1) {
    size_t j = 0;
    while (j < a.size() && a[j] == b[j]) ++j;
    // The line before the new one may have gained its break.
    if (j < a.size() && j + 1 < b.size() && SameLine(a[j], b[j]) && b[j + 1].text == setting) ++j;
    ZV_FUZZ_CHECK(b[j].text == setting && b[j].end == "\r\n", "the added line");
    for (size_t i = j; i < a.size(); ++i)
      ZV_FUZZ_CHECK(a[i] == b[i + 1], "a line after the added one changed");
  } else {
    ZV_FUZZ_CHECK(b.size() == a.size() + 2, "lines added or lost");
    for (size_t i = 0; i < a.size(); ++i) ZV_FUZZ_CHECK(SameLine(a[i], b[i]), "a line changed");
    for (size_t i = 0; i + 1 < a.size(); ++i) ZV_FUZZ_CHECK(a[i] == b[i], "a break changed");
    ZV_FUZZ_CHECK((b[a.size()] == Line{"[Options]", "\r\n"}), "the appended section");
    ZV_FUZZ_CHECK((b[a.size() + 1] == Line{setting, "\r\n"}), "the appended setting");
    ZV_FUZZ_CHECK(!IniLookup(content, "Options", "GalleryPath"),
                  "a section appended although the setting was there");
  }
  // Read back: trimmed of blanks and of one pair of quotes, as the reader promises.
  std::string expected = value;
  while (!expected.empty() && Blank(expected.front())) expected.erase(0, 1);
  while (!expected.empty() && Blank(expected.back())) expected.pop_back();
  if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
      expected.back() == expected.front())
    expected = expected.substr(1, expected.size() - 2);
  const auto back = IniLookup(updated, "Options", "GalleryPath");
  ZV_FUZZ_CHECK(back.has_value(), "the setting cannot be read back");
  ZV_FUZZ_CHECK(*back == expected, "read back \"" + *back + "\" for \"" + value + "\"");
  // Writing the same value again changes nothing more.
  ZV_FUZZ_CHECK(IniUpdate(updated, "Options", "GalleryPath", value) == updated,
                "a second write of the same value changed the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Input in(data, size);
  std::string value = in.Text(255);
  // A folder name holds no line break and no zero byte.
  std::erase_if(value, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
  const std::string content = in.Rest();
  CheckUpdate(content, value);
  // Lookups of other names never fail on any content.
  (void)IniLookup(content, "", "");
  (void)IniLookup(content, value, value);
  return 0;
}
