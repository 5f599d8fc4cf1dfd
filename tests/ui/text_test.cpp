// Conversions between UTF-8, UTF-16 and Windows-1251.
#include "ui/text.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(Text, Cp1251RoundTripsEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(all)), all);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Text, KnownCharacters) {
  struct Case { std::string utf8; std::string cp1251; };
  const Case cases[] = {
      {"Декабрь 2007", "\xC4\xE5\xEA\xE0\xE1\xF0\xFC 2007"},
      {"ёЁ№", "\xB8\xA8\xB9"},
      {"Phone1", "Phone1"},
      {"€", "\x88"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
    EXPECT_EQ(Cp1251ToUtf8(c.cp1251), c.utf8) << c.utf8;
  }
}

TEST(Text, UnmappableBecomesQuestionMark) {
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD" "b"), "a?b");  // a CJK character
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");  // surrogate pair
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);
}

}  // namespace
}  // namespace zv
