#include "common/ansi_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qe2m4 {
namespace {

TEST(AnsiText, LengthCountsCp932Bytes) {
  EXPECT_EQ(AnsiLen(u"ｱｲ"), 2);
  EXPECT_EQ(AnsiLen(u"アイ"), 4);
  EXPECT_EQ(AnsiLen(u""), 0);
  EXPECT_EQ(AnsiLen(u"C: ラベル"), 9);
}

TEST(AnsiText, CutsDropHalfCharacters) {
  struct Case {
    std::u16string got;
    std::u16string expected;
  } const cases[] = {
      {AnsiRight(u"砂質シルト", 4), u"ルト"},
      {AnsiRight(u"砂質シルト", 3), u"ト"},  // the cut splits ル: the half is dropped
      {AnsiRight(u"AB", 5), u"AB"},
      {AnsiMid(u"AB砂C", 3, 2), u"砂"},
      {AnsiMid(u"AB砂C", 4, 2), u"C"},  // starts in the middle of 砂
      {AnsiMid(u"AB", 5, 1), u""},
      {AnsiMid(u"ABC", 2, 100), u"BC"},
      {AnsiLeft(u"C: [ラベル]", 2), u"C:"},
      {AnsiLeft(u"砂礫", 1), u""},  // half of 砂
      {AnsiLeft(u"砂礫", 3), u"砂"},
      {AnsiLeft(u"ab", 10), u"ab"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.got, c.expected);
  }
}

// Text of ASCII alone is cut by character positions; the same cuts of the same characters with a
// double-byte character beyond the cut, which counts bytes one character at a time, agree.
TEST(AnsiText, AsciiCutsAgreeWithByteCounting) {
  for (const std::u16string ascii : {u"", u"7", u" 12", u"AB C", u"0123456789 ,-."}) {
    const auto size = static_cast<int>(ascii.size());
    for (int start = 1; start <= size + 2; ++start) {
      for (int count = 0; count <= size + 2; ++count) {
        const std::u16string cut = AnsiMid(ascii, start, count);
        EXPECT_EQ(cut, ascii.substr(std::min(start - 1, size), static_cast<std::size_t>(count)));
        if (start - 1 + count <= size) {
          EXPECT_EQ(cut, AnsiMid(ascii + u"砂", start, count)) << start << " " << count;
        }
      }
    }
    for (int n = 0; n <= size + 2; ++n) {
      const std::u16string right = AnsiRight(ascii, n);
      EXPECT_EQ(right, ascii.substr(static_cast<std::size_t>(std::max(size - n, 0))));
      if (n <= size) {
        EXPECT_EQ(right, AnsiRight(u"砂" + ascii, n)) << n;
      }
    }
  }
}

}  // namespace
}  // namespace qe2m4
