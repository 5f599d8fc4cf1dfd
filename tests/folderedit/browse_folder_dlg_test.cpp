// PickFolder and the tidying of the chosen path.
#include "folderedit/browse_folder_dlg.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "folderedit/folder_glyph.h"

namespace zv {
namespace {

TEST(TidyChosenFolder, DriveRootKeepsItsBackslashOthersLoseOne) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\", "C:\\"},
      {"d:\\", "d:\\"},
      {"D:\\Photos\\", "D:\\Photos"},
      {"D:\\Photos", "D:\\Photos"},
      {"D:\\Фото\\", "D:\\Фото"},
      {"\\\\server\\share\\", "\\\\server\\share"},
      {"D:\\a\\\\", "D:\\a\\"},  // only one backslash goes
      {"1:\\", "1:"},            // not a drive letter
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(TidyChosenFolder(in), out) << in;
}

TEST(PickFolder, ConfirmTakesTheTidiedPathCancelKeepsName) {
  testing_support::FakeFolderDialog dialog;
  std::string name = "C:\\MobileFoto";
  dialog.Chosen = "E:\\";
  EXPECT_TRUE(PickFolder(dialog, name, "text", 0));
  EXPECT_EQ(name, "E:\\");
  ASSERT_EQ(dialog.Requests.size(), 1u);
  EXPECT_EQ(dialog.Requests[0].FolderName, "C:\\MobileFoto");
  EXPECT_EQ(dialog.Requests[0].DialogText, "text");
  EXPECT_EQ(dialog.Requests[0].BrowseKind, TBrowseKind::bfFolders);

  dialog.Confirm = false;
  EXPECT_FALSE(PickFolder(dialog, name, "text", 0));
  EXPECT_EQ(name, "E:\\");
}

TEST(FolderGlyph, YellowFolderGreenArrowOnTransparentBlack) {
  const Bitmap glyph = FolderButtonGlyph();
  ASSERT_EQ(glyph.Width, 16);
  ASSERT_EQ(glyph.Height, 16);
  ASSERT_EQ(glyph.Pixels.size(), 256u);
  int yellow = 0, green = 0;
  for (std::uint32_t p : glyph.Pixels) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (r > 200 && g > 150 && b < 100) ++yellow;
    if (g > 150 && r < 100 && b < 100) ++green;
  }
  EXPECT_GT(yellow, 30);
  EXPECT_GT(green, 10);
  EXPECT_EQ(glyph.At(0, 0), 0u);  // the background is the transparent black
  EXPECT_EQ(glyph.At(15, 15), 0u);
}

}  // namespace
}  // namespace zv
