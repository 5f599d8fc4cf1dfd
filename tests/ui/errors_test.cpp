// The error box's full-stop rule and the runtime's file error texts.
#include "ui/errors.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(Errors, FullStopOnlyAfterLetterOrDigit) {
  struct Case { std::string in, out; };
  const Case cases[] = {
      {"Disk full", "Disk full."},
      {"I/O error 32", "I/O error 32."},
      {"List index out of bounds (0)", "List index out of bounds (0)"},
      {"'x' is not a valid integer value", "'x' is not a valid integer value."},
      {"Профиль не определен!", "Профиль не определен!"},
      {"Ошибка", "Ошибка."},
      {"Done.", "Done."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
}

TEST(Errors, InOutTexts) {
  EXPECT_EQ(InOutErrorText(2), "File not found");
  EXPECT_EQ(InOutErrorText(3), "Invalid filename");
  EXPECT_EQ(InOutErrorText(5), "File access denied");
  EXPECT_EQ(InOutErrorText(112), "Disk full");
  EXPECT_EQ(InOutErrorText(1117), "I/O error 1117");
  EXPECT_EQ(ListIndexError(-1).what(), std::string("List index out of bounds (-1)"));
}

}  // namespace
}  // namespace zv
