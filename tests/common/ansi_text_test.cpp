#include "common/ansi_text.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qe2m4
