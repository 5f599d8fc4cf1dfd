#pragma once
// Which directory entry each grid row came from.
//
// A row shows the photo name cut to 17 characters, and that cut name is also the photo's name in
// the archive. The phone file behind it is the entry's full path: for a camera name of exactly
// 17 characters the two agree, but "05-12-07_0012.jpg.bak" is shown as "05-12-07_0012.jpg" too,
// and the path rebuilt from the cut name would read (and delete) the other photo. The listing
// records every entry it turns into a row; the download run and the preview ask for the entry of
// a row by its cut name and size, the two things a row holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

  // Forgets every entry (a new listing begins); the memory stays for the next listing.
  void Clear();
  // An entry that became a row: its cut name, its size and its full phone path (Windows-1251).
  void Add(std::string_view photoName, std::int32_t size, std::string_view phonePath);
  // The entry of the row showing photoName with size.
  Source Find(std::string_view photoName, std::int32_t size) const;

 private:
  // A listing records tens of thousands of entries at once, so nothing is allocated for each:
  // names and paths lie back to back in one text, and an open-addressing table over the entries
  // finds one by name and size in a look or two.
  struct Entry {
    std::uint32_t name, nameLength, path, pathLength;  // places in text_
    std::int32_t size;
    bool ambiguous;  // more entries have the same name and size
  };
  std::string_view NameOf(const Entry& e) const { return {text_.data() + e.name, e.nameLength}; }
  std::string_view PathOf(const Entry& e) const { return {text_.data() + e.path, e.pathLength}; }
  // The slot of the entry with this name and size, or the free slot where it would go.
  std::size_t SlotOf(std::string_view photoName, std::int32_t size) const;

  std::string text_;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // 1 + an index into entries_, 0 when free; a power of two
};

}  // namespace zv
