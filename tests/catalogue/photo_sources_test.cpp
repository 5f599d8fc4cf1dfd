// Which directory entry a row names: recorded by the listing, asked for by the run and the
// preview.
#include "catalogue/photo_sources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zv {
namespace {

TEST(PhotoSources, FindsTheEntryOfARowByNameAndSize) {
  using Match = PhotoSources::Match;
  struct Added {
    const char* name;
    std::int32_t size;
    const char* path;
  };
  const std::vector<Added> added = {
      {"05-12-07_0012.jpg", 100, "/a/mobile/picture/05-12-07_0012.jpg.bak"},
      {"05-12-07_0013.jpg", 200, "/a/mobile/picture/05-12-07_0013.jpg"},
      {"05-12-07_0013.jpg", 300, "/a/mobile/picture/05-12-07_0013.jpg.old"},  // another size
      {"06-12-07_0001.jpg", 50, "/a/mobile/picture/06-12-07_0001.jpg"},
      {"06-12-07_0001.jpg", 50, "/a/mobile/picture/06-12-07_0001.jpg~"},  // same name and size
      {"06-12-07_0001.jpg", 50, "/a/mobile/picture/06-12-07_0001.jpg~2"},
      {"07-12-07_0001.jpg", -5, "/a/mobile/picture/07-12-07_0001.jpg"},
  };
  struct Case {
    const char* name;
    std::int32_t size;
    Match match;
    const char* path;
  } cases[] = {
      {"05-12-07_0012.jpg", 100, Match::kOne, "/a/mobile/picture/05-12-07_0012.jpg.bak"},
      {"05-12-07_0013.jpg", 200, Match::kOne, "/a/mobile/picture/05-12-07_0013.jpg"},
      {"05-12-07_0013.jpg", 300, Match::kOne, "/a/mobile/picture/05-12-07_0013.jpg.old"},
      {"06-12-07_0001.jpg", 50, Match::kAmbiguous, ""},
      {"07-12-07_0001.jpg", -5, Match::kOne, "/a/mobile/picture/07-12-07_0001.jpg"},
      // Not recorded: the name, or the size, differs.
      {"05-12-07_0012.jpg", 101, Match::kRebuilt, "/a/mobile/picture/05-12-07_0012.jpg"},
      {"05-12-07_0012.jp", 100, Match::kRebuilt, "/a/mobile/picture/05-12-07_0012.jp"},
      {"08-12-07_0001.jpg", 50, Match::kRebuilt, "/a/mobile/picture/08-12-07_0001.jpg"},
  };
  PhotoSources sources;
  // Entries of an earlier listing, forgotten by Clear.
  sources.Add("08-12-07_0001.jpg", 50, "/a/mobile/picture/08-12-07_0001.jpg.x");
  sources.Add("06-12-07_0001.jpg", 50, "/a/mobile/picture/06-12-07_0001.jpg");
  sources.Clear();
  for (const Added& a : added) sources.Add(a.name, a.size, a.path);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.size));
    const PhotoSources::Source found = sources.Find(c.name, c.size);
    EXPECT_EQ(found.match, c.match);
    EXPECT_EQ(found.phonePath, c.path);
  }
}

}  // namespace
}  // namespace zv
