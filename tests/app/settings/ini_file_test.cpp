// The portable INI writer changes only the line it is about: exact bytes in, exact bytes out.
#include "app/settings/ini_file.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(IniUpdate, ChangesOnlyTheOneLine) {
  struct Case {
    const char* what;
    std::string before, after;
  };
  const Case cases[] = {
      {"new file", "", "[Options]\r\nGalleryPath=V\r\n"},
      {"existing key, other lines and breaks untouched",
       "; top\n[A]\r\nx = 1\n\n[Options]\r\n  GalleryPath = old  \r\n;c\r\nz=2",
       "; top\n[A]\r\nx = 1\n\n[Options]\r\n  GalleryPath =V\r\n;c\r\nz=2"},
      {"key spelling kept", "[options]\r\nGALLERYPATH=old\r\n", "[options]\r\nGALLERYPATH=V\r\n"},
      {"key added after the section's last setting", "[Options]\r\nA=1\r\n\r\n[B]\r\nb=2\r\n",
       "[Options]\r\nA=1\r\nGalleryPath=V\r\n\r\n[B]\r\nb=2\r\n"},
      {"key added to a header-only section at the end", "[Options]",
       "[Options]\r\nGalleryPath=V\r\n"},
      {"section appended after a last line without a break", "[B]\r\nb=2",
       "[B]\r\nb=2\r\n[Options]\r\nGalleryPath=V\r\n"},
      {"a comment is never the key", "[Options]\r\n;GalleryPath=C:\\x\r\n",
       "[Options]\r\nGalleryPath=V\r\n;GalleryPath=C:\\x\r\n"},
      {"key without '='", "[Options]\r\nGalleryPath\r\n", "[Options]\r\nGalleryPath=V\r\n"},
      {"only the first of two keys", "[Options]\r\nGalleryPath=1\r\nGalleryPath=2\r\n",
       "[Options]\r\nGalleryPath=V\r\nGalleryPath=2\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IniUpdate(c.before, "Options", "GalleryPath", "V"), c.after) << c.what;
  }
}

TEST(IniLookup, CommentsAndKeysBeforeAnySectionAreNotSettings) {
  EXPECT_FALSE(IniLookup("GalleryPath=X\r\n[Options]\r\n", "Options", "GalleryPath"));
  EXPECT_FALSE(IniLookup("[Options]\r\n;GalleryPath=X\r\n", "Options", "GalleryPath"));
  EXPECT_EQ(IniLookup("[Options]\r\nGalleryPath='X'\r\n", "Options", "GalleryPath"), "X");
  EXPECT_EQ(IniLookup("[Options]\r\nGalleryPath=\"X'\r\n", "Options", "GalleryPath"), "\"X'");
  EXPECT_EQ(IniLookup("[Options]\r\nGalleryPath=\"\r\n", "Options", "GalleryPath"), "\"");
}

}  // namespace
}  // namespace zv
