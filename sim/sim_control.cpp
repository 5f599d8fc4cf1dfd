// Reading and writing the simulator's control files (see sim_control.h).
#include "sim_control.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "ui/text.h"

namespace zv::sim {

ControlFiles ControlFiles::Locate(const std::optional<fs::path>& setting) {
  if (setting) return For(*setting);
  return For(LibraryFolder() / "phone");
}

ControlFiles ControlFiles::For(const fs::path& phone_folder) {
  fs::path phone = phone_folder;
  // "…/phone/" names the same folder as "…/phone"; the control files sit beside it, not in it.
  while (phone.has_relative_path() && !phone.has_filename()) phone = phone.parent_path();
  ControlFiles c;
  c.phone = phone;
  c.status = fs::path(phone.native() + fs::path(".status").native());
  c.faults = fs::path(phone.native() + fs::path(".faults").native());
  c.log = fs::path(phone.native() + fs::path(".log").native());
  c.results = fs::path(phone.native() + fs::path(".results").native());
  return c;
}

std::optional<std::string> ReadSmallFile(const fs::path& path) {
  UniqueFile f = OpenHostFile(path, "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char chunk[512];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) bytes.append(chunk, n);
  return bytes;
}

bool WriteWholeFile(const fs::path& path, const std::string& bytes) {
  UniqueFile f = OpenHostFile(path, "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  return std::fclose(f.release()) == 0 && ok;
}

bool WatchedFile::Refresh() {
  // The clock is read before the stamp: a read counts as settled only by a time no later than
  // the read itself.
  const int64_t now = StampNow();
  const std::optional<FileStamp> stamp = StampOf(path_);
  if (!MustRead(stamp)) return false;
  content_ = stamp ? ReadSmallFile(path_) : std::nullopt;
  Read(stamp, now, !stamp || content_.has_value());
  return true;
}

std::vector<FaultRule> ParseFaults(const std::string& text) {
  std::vector<FaultRule> rules;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb) || verb[0] == '#') continue;
    FaultRule rule;
    if (verb == "fail") {
      rule.kind = FaultRule::Kind::kFail;
      if (!(words >> rule.call)) continue;
      int times;
      if (words >> times) rule.count = times;
    } else if (verb == "short") {
      rule.kind = FaultRule::Kind::kShort;
      if (!(words >> rule.value) || rule.value < 0) continue;
    } else if (verb == "hang") {
      rule.kind = FaultRule::Kind::kHang;
      if (!(words >> rule.call)) continue;
    } else if (verb == "slow") {
      rule.kind = FaultRule::Kind::kSlow;
      if (!(words >> rule.value) || rule.value < 0) continue;
    } else if (verb == "status") {
      rule.kind = FaultRule::Kind::kStatusAfter;
      std::string after;
      if (!(words >> rule.value >> after >> rule.count) || after != "after" || rule.count < 0) {
        continue;
      }
    } else {
      continue;
    }
    rules.push_back(rule);
  }
  return rules;
}

std::string FormatFaults(const std::vector<FaultRule>& rules) {
  std::string text;
  for (const FaultRule& r : rules) {
    switch (r.kind) {
      case FaultRule::Kind::kFail:
        text += "fail " + r.call + (r.count >= 0 ? " " + std::to_string(r.count) : "") + "\n";
        break;
      case FaultRule::Kind::kShort:
        text += "short " + std::to_string(r.value) + "\n";
        break;
      case FaultRule::Kind::kStatusAfter:
        text += "status " + std::to_string(r.value) + " after " + std::to_string(r.count) + "\n";
        break;
      case FaultRule::Kind::kSlow:
        text += "slow " + std::to_string(r.value) + "\n";
        break;
      case FaultRule::Kind::kHang:
        text += "hang " + r.call + "\n";
        break;
    }
  }
  return text;
}

ResultStyle ParseResultStyle(const std::string& text) {
  std::istringstream words(text);
  std::string word;
  return (words >> word) && word == "bytes" ? ResultStyle::kByteCounts : ResultStyle::kPublished;
}

int ParseStatus(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const long value = std::strtol(begin, &end, 10);
  return end == begin ? 0 : static_cast<int>(value);
}

std::string QuotePath(const char* cp1251_path) {
  if (!cp1251_path) return "null";
  std::string out = "\"";
  for (char c : Cp1251ToUtf8(cp1251_path)) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace zv::sim
