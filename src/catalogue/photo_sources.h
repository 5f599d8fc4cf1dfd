#pragma once
// Which directory entry each grid row came from.
//
// A row shows the photo name cut to 17 characters, and that cut name is also the photo's name in
// the archive. The phone file behind it is the entry's full path: for a camera name of exactly
// 17 characters the two agree, but "05-12-07_0012.jpg.bak" is shown as "05-12-07_0012.jpg" too,
// and the path rebuilt from the cut name would read (and delete) the other photo. The listing
// records every entry it turns into a row; the download run and the preview ask for the entry of
// a row by its cut name and size, the two things a row holds.
#include <cstdint>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "ui/text.h"

namespace zv {

class PhotoSources {
 public:
  // What is known of the entry behind a row.
  enum class Match {
    kRebuilt,    // nothing recorded: the path is "/a/mobile/picture/" + the name
    kOne,        // exactly one entry has this name and size: its path
    kAmbiguous,  // several entries share the name and the size: no path names the row's file
  };
  struct Source {
    Match match = Match::kRebuilt;
    AnsiString phonePath;  // Windows-1251; empty for kAmbiguous
  };

  // Forgets every entry (a new listing begins).
  void Clear() { entries_.clear(); }
  // An entry that became a row: its cut name, its size and its full phone path (Windows-1251).
  void Add(std::string_view photoName, std::int32_t size, std::string_view phonePath);
  // The entry of the row showing photoName with size.
  Source Find(const AnsiString& photoName, std::int32_t size) const;

 private:
  // A listing records tens of thousands of entries at once: a hash table keeps that to one
  // look-up each, where an ordered tree took most of a large listing's time.
  using Key = std::pair<AnsiString, std::int32_t>;
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<AnsiString>{}(key.first) ^
             (static_cast<std::size_t>(static_cast<std::uint32_t>(key.second)) * 0x9E3779B9u);
    }
  };
  struct Entry {
    AnsiString phonePath;    // the first entry's
    bool ambiguous = false;  // more entries have the same name and size
  };
  std::unordered_map<Key, Entry, KeyHash> entries_;
};

}  // namespace zv
