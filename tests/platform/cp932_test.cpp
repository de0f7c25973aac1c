#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace qe2m4::platform {
namespace {

TEST(Cp932, WidthsOfCharacterClasses) {
  struct Case {
    char16_t c;
    int width;
  } const cases[] = {
      {u'A', 1},      {u'\\', 1}, {u'ｱ', 1},   // half-width katakana
      {u'ﾟ', 1},      {u'ア', 2}, {u'砂', 2},  // full-width
      {u'　', 2},     {u'Ａ', 2}, {u'￥', 2},
      {u'\u00E9', 1},  // é has no CP932 form: written as "?"
      {u'\u20AC', 1},  // € likewise
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp932Width(c.c), c.width) << static_cast<int>(c.c);
  }
  EXPECT_EQ(Cp932Length(u"ｱｲ"), 2u);
  EXPECT_EQ(Cp932Length(u"アイ"), 4u);
  EXPECT_EQ(Cp932Length(u""), 0u);
}

TEST(Cp932, EncodesKnownBytes) {
  EXPECT_EQ(EncodeCp932(u"A1,"), "A1,");
  EXPECT_EQ(EncodeCp932(u"砂"), "\x8D\xBB");
  EXPECT_EQ(EncodeCp932(u"ソ"), "\x83\x5C");  // trail byte 0x5C
  EXPECT_EQ(EncodeCp932(u"ｱ"), "\xB1");
  EXPECT_EQ(EncodeCp932(u"a\u00E9b"), "a?b");
}

TEST(Cp932, DecodesAndMarksInvalidBytes) {
  EXPECT_EQ(DecodeCp932("\x8D\xBB\x83\x5C"), u"砂ソ");
  EXPECT_EQ(DecodeCp932("\xB1"), u"ｱ");
  // 0x81 0x20 is not a character: the lead byte becomes U+FFFD and the blank stays.
  EXPECT_EQ(DecodeCp932("\x81 x"), u"\uFFFD x");
  // A lead byte at the end is half a character and is dropped.
  EXPECT_EQ(DecodeCp932("a\x8D"), u"a");
  EXPECT_EQ(EncodeCp932(DecodeCp932("\xFF")), "?");
}

TEST(Cp932, RoundTripsJapaneseText) {
  const std::u16string text = u"礫混じり砂質シルト、ﾎﾞｰﾘﾝｸﾞ　Ｎ値１０";
  EXPECT_EQ(DecodeCp932(EncodeCp932(text)), text);
}

}  // namespace
}  // namespace qe2m4::platform
