#include "base/ansi_text.h"

#include <gtest/gtest.h>

namespace tolvar {
namespace {

struct IntCase {
  const char* text;
  int32_t value;
};

TEST(TextToInt, ReadsLikeAtoiAfterFullWidthMapping) {
  const IntCase cases[] = {
      {"", 0},
      {"12abc", 12},
      {"2.9", 2},
      {"abc", 0},
      {" 7", 7},
      {"\t\n 8", 8},
      {"-3", -3},
      {"+4", 4},
      {"- 4", 0},
      {"150", 150},
      {"１５０", 150},        // full-width digits
      {"３", 3},
      {"　９", 9},            // ideographic space, then a full-width digit
      {"－５", -5},           // full-width minus
      {"1５0", 150},          // mixed
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"99999999999999999999999", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999", -2147483647 - 1},
      {"游戏", 0},
  };
  for (const IntCase& c : cases) {
    EXPECT_EQ(textToInt(c.text), c.value) << "text: " << c.text;
  }
}

TEST(AnsiText, LastSeparatorStepsOverDoubleByteCharacters) {
  // 0x5C ("\") as the trail byte of a double-byte character is no separator.
  const std::string trail = "D:\\\x95\x5C\\x\x95\x5C";
  EXPECT_EQ(lastSeparator(trail, '\\'), 5u);
  EXPECT_EQ(lastSeparator("D:\\Games\\game.exe", '\\'), 8u);
  EXPECT_EQ(lastSeparator("game.exe", '\\'), std::string::npos);
  EXPECT_EQ(lastSeparator("a.b.c", '.'), 3u);
}

TEST(AnsiText, CutNeverEndsInsideADoubleByteCharacter) {
  const std::string name = "ab游戏";  // 2 + 2 + 2 bytes
  EXPECT_EQ(cutToBytes(name, 6), name);
  EXPECT_EQ(cutToBytes(name, 5), "ab游");
  EXPECT_EQ(cutToBytes(name, 4), "ab游");
  EXPECT_EQ(cutToBytes(name, 3), "ab");
  EXPECT_EQ(cutToBytes(name, 0), "");
}

}  // namespace
}  // namespace tolvar
