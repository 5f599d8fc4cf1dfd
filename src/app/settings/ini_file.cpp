// Portable INI reading and writing (see ini_file.h).
#include "app/settings/ini_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One line of the file: its text without the line break, and the break itself ("\r\n", "\n"
// or "" for a last line without one), so that the file can be put back together unchanged.
struct Line {
  std::string text;
  std::string end;
};

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < content.size()) {
    const size_t nl = content.find('\n', pos);
    if (nl == std::string::npos) {
      lines.push_back({content.substr(pos), ""});
      break;
    }
    size_t textEnd = nl;
    if (textEnd > pos && content[textEnd - 1] == '\r') --textEnd;
    lines.push_back(
        {content.substr(pos, textEnd - pos), content.substr(textEnd, nl + 1 - textEnd)});
    pos = nl + 1;
  }
  return lines;
}

enum class LineKind { kBlank, kComment, kSection, kSetting };

struct Parsed {
  LineKind kind;
  std::string name;   // section or key name, trimmed
  std::string value;  // setting value, trimmed and unquoted
  size_t equals;      // position of '=' in the line, npos when it has none
};

Parsed ParseLine(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty()) return {LineKind::kBlank, "", "", std::string::npos};
  if (t[0] == ';') return {LineKind::kComment, "", "", std::string::npos};
  if (t[0] == '[') {
    const size_t close = t.find(']');
    return {LineKind::kSection, Trim(t.substr(1, close == std::string::npos ? t.npos : close - 1)),
            "", std::string::npos};
  }
  const size_t eq = text.find('=');
  if (eq == std::string::npos) return {LineKind::kSetting, t, "", eq};
  std::string value = Trim(text.substr(eq + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return {LineKind::kSetting, Trim(text.substr(0, eq)), value, eq};
}

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The whole file. A missing file reads as empty (no settings); a file that exists but cannot be
// read (no access, a folder of that name) gives nothing, so that a write never replaces content
// it could not see.
std::optional<std::string> ReadFile(const std::string& fileName) {
  const std::filesystem::path path = PathOf(fileName);
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return std::string();
  if (ec || status.type() != std::filesystem::file_type::regular) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, size_t(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return content;
}

}  // namespace

std::optional<std::string> IniLookup(const std::string& content, const std::string& section,
                                     const std::string& key) {
  bool inSection = false;
  for (const Line& line : SplitLines(content)) {
    const Parsed p = ParseLine(line.text);
    if (p.kind == LineKind::kSection) {
      inSection = SameName(p.name, section);
    } else if (inSection && p.kind == LineKind::kSetting && SameName(p.name, key)) {
      return p.value;
    }
  }
  return std::nullopt;
}

std::string IniUpdate(const std::string& content, const std::string& section,
                      const std::string& key, const std::string& value) {
  std::vector<Line> lines = SplitLines(content);
  const std::string newSetting = key + "=" + value;
  // Index of the line after which a missing key goes: the section's last setting, or its
  // header when it has none. -1 while the section has not been seen.
  long insertAfter = -1;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const Parsed p = ParseLine(lines[i].text);
    if (p.kind == LineKind::kSection) {
      if (inSection) break;  // the section ended without the key
      inSection = SameName(p.name, section);
      if (inSection) insertAfter = long(i);
    } else if (inSection && p.kind == LineKind::kSetting) {
      if (SameName(p.name, key)) {
        // Keep the key exactly as the file spells it; only the value changes.
        lines[i].text = p.equals == std::string::npos
                            ? Trim(lines[i].text) + "=" + value
                            : lines[i].text.substr(0, p.equals + 1) + value;
        insertAfter = -2;
        break;
      }
      insertAfter = long(i);
    }
  }
  if (insertAfter >= 0) {
    Line& before = lines[size_t(insertAfter)];
    if (before.end.empty()) before.end = "\r\n";
    lines.insert(lines.begin() + insertAfter + 1, Line{newSetting, "\r\n"});
  } else if (insertAfter == -1) {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = "\r\n";
    lines.push_back({"[" + section + "]", "\r\n"});
    lines.push_back({newSetting, "\r\n"});
  }
  std::string out;
  for (const Line& line : lines) out += line.text + line.end;
  return out;
}

std::string IniFileStore::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def) {
  std::optional<std::string> value;
  if (const auto content = ReadFile(fileName_)) {
    value = IniLookup(*content, Utf8ToCp1251(section), Utf8ToCp1251(key));
  }
  std::string result = value ? *value : Utf8ToCp1251(def);
  if (result.size() > kSettingsValueBuffer - 1) result.resize(kSettingsValueBuffer - 1);
  return Cp1251ToUtf8(result);
}

void IniFileStore::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  const std::optional<std::string> content = ReadFile(fileName_);
  if (!content) throw EIniFileException(FormatText(TextId::SettingsWriteFailed, {fileName_}));
  const std::string updated =
      IniUpdate(*content, Utf8ToCp1251(section), Utf8ToCp1251(key), Utf8ToCp1251(value));
  // Write a sibling file and move it over the old one, so that a failed write never leaves
  // a half-written settings file behind.
  const std::filesystem::path target = PathOf(fileName_);
  std::filesystem::path temp = target;
  temp += ".new";
  bool ok = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(updated.data(), std::streamsize(updated.size()));
      out.close();
      ok = !out.fail();
    }
  }
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(temp, ec);
    throw EIniFileException(FormatText(TextId::SettingsWriteFailed, {fileName_}));
  }
}

}  // namespace zv
