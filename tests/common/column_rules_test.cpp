#include "common/column_rules.h"

#include <gtest/gtest.h>

namespace qe2m4 {
namespace {

TEST(ColumnRules, Alignment) {
  EXPECT_EQ(AlignRight(u"12.5", 7), u"   12.5");
  EXPECT_EQ(AlignRight(u"123456789", 7), u"3456789");
  EXPECT_EQ(AlignRight(u"", 3), u"   ");
  EXPECT_EQ(AlignLeft(u"ABC", 6), u"ABC   ");
  EXPECT_EQ(AlignLeft(u"礫礫礫礫礫礫礫礫礫", 8), u"礫礫礫礫礫礫礫礫");  // characters, not bytes
  EXPECT_EQ(RecordNumberColumn(1), u"  1");
  EXPECT_EQ(RecordNumberColumn(123), u"123");
  EXPECT_EQ(RecordNumberColumn(1000), u"000");
  EXPECT_EQ(RecordNumberColumn(32768), u"768");  // counts on past 16 bits
}

TEST(ColumnRules, PictureTable) {
  struct Case {
    double value;
    std::u16string picture;
    std::u16string expected;
  } const cases[] = {
      {0, u"###0.00", u"0.00"},
      {5, u"###0.00", u"5.00"},
      {7.5, u"###0.00", u"7.50"},
      {12.345, u"###0.00", u"12.35"},
      {1234.5, u"####0.00", u"1234.50"},
      {0, u"###", u""},
      {5, u"###", u"5"},
      {7.5, u"###", u"8"},
      {12.345, u"###", u"12"},
      {1234.5, u"###", u"1235"},
      {0, u"##0", u"0"},
      {7.5, u"##0", u"8"},
      {0, u"00", u"00"},
      {5, u"00", u"05"},
      {1234.5, u"00", u"1235"},
      {2.345, u"###0.00", u"2.35"},
      {1.005, u"###0.00", u"1.01"},
      {-3, u"####0.00", u"-3.00"},
      {-0.004, u"###0.00", u"0.00"},
      {-0.4, u"###", u""},
      {-2.5, u"##0", u"-3"},
      {9.995, u"###0.00", u"10.00"},
      {0.5, u"###0.00", u"0.50"},
      {123456.78, u"####0.00", u"123456.78"},
      {1e20, u"##0", u"100000000000000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatPicture(c.value, c.picture), c.expected) << c.value;
  }
}

TEST(ColumnRules, PictureOfTexts) {
  EXPECT_EQ(FormatPicture(std::u16string_view(u""), u"###0.00"), u"");
  EXPECT_EQ(FormatPicture(std::u16string_view(u"abc"), u"###0.00"), u"abc");
  EXPECT_EQ(FormatPicture(std::u16string_view(u"7.5m"), u"###0.00"), u"7.5m");
  EXPECT_EQ(FormatPicture(std::u16string_view(u" 1.005 "), u"###0.00"), u"1.01");
  EXPECT_EQ(FormatPicture(std::u16string_view(u"123"), u"00"), u"123");
  EXPECT_EQ(FormatPicture(std::u16string_view(u"0"), u"###"), u"");
}

TEST(ColumnRules, SplitFixedWidth) {
  using Lines = std::vector<std::u16string>;
  const std::u16string blanks28(28, u' ');
  EXPECT_EQ(SplitFixedWidth(u"", 16), Lines{std::u16string(16, u' ')});
  EXPECT_EQ(SplitFixedWidth(u"   ", 4), Lines{u"    "});
  EXPECT_EQ(SplitFixedWidth(u"あいうえおかきくけこさしすせそAB", 30),
            (Lines{u"あいうえおかきくけこさしすせそ", u"AB" + blanks28}));
  const std::u16string a29(29, u'a');
  EXPECT_EQ(SplitFixedWidth(a29 + u"砂", 30), (Lines{a29 + u" ", u"砂" + blanks28}));
  EXPECT_EQ(SplitFixedWidth(u"  a b  ", 4), Lines{u"a b "});
  // Any number of lines: 250 characters at width 2 give 125 lines.
  EXPECT_EQ(SplitFixedWidth(std::u16string(250, u'x'), 2).size(), 125u);
}

TEST(ColumnRules, SplitAtSeparator) {
  const SeparatorSplit found = SplitAtSeparator(u"AとBの", u"と");
  EXPECT_EQ(found.position, 2);
  EXPECT_EQ(found.before, u"A");
  EXPECT_EQ(found.after, u"Bの");
  const SeparatorSplit missing = SplitAtSeparator(u"AとBの", u"互層");
  EXPECT_EQ(missing.position, 0);
  EXPECT_EQ(missing.before, u"");
  EXPECT_EQ(missing.after, u"");
  EXPECT_EQ(SplitAtSeparator(u"砂とシルトの互層", u"互層").before, u"砂とシルトの");
}

}  // namespace
}  // namespace qe2m4
