#include "measurements/x7_converter.h"

#include <gtest/gtest.h>

#include "conversion_fixture.h"

namespace qe2m4 {
namespace {

using testing::ReadBytes;
using testing::RecordLine;
using testing::WriteBytes;

using X7Test = testing::ConversionFixture;

TEST_F(X7Test, FirstNonBlankValuesAreCondensedAndCut) {
  const std::string kanji8 = "\x8a\xbf\x8a\xbf\x8a\xbf\x8a\xbf\x8a\xbf\x8a\xbf\x8a\xbf\x8a\xbf";
  WriteBytes(src_ / "X7.TXT",
             RecordLine(68, {{2, "ABCDEFGH"},
                             {9, "  "},
                             {20, " 3 "},
                             {21, "4"},
                             {5, "1.5"},
                             {49, " "},
                             {50, "ABCDEFGHIJ"},
                             {55, " " + kanji8 + " "},
                             {60, "third"}}) +
                 RecordLine(68, {{2, "\xe2\x49"}, {6, "-2.345"}, {9, "12345"}, {68, "X"}}) +
                 RecordLine(68, {}));
  ConvertX7File(context_, Source());
  EXPECT_EQ(ReadBytes(out_ / "N7.txt"),
            "  1,ABCDEF, 3,   1.50,       ,ABCDEFGH," + kanji8 + "\r\n" +
                "  2,\xe2\x49     ,45,       ,  -2.35,X       ,        \r\n" +
                "  3,      ,  ,       ,       ,        ,        \r\n");
  ASSERT_EQ(report_.files.size(), 1u);
  EXPECT_EQ(report_.files[0].name, u"N7.txt");
  EXPECT_EQ(report_.files[0].lines, 3);
}

TEST_F(X7Test, TheThousandthRecordIsNumberedWithItsLastThreeDigits) {
  std::string records;
  for (int n = 1; n <= 1001; ++n) {
    records += RecordLine(68, {{2, "R"}});
  }
  WriteBytes(src_ / "X7.TXT", records);
  ConvertX7File(context_, Source());
  const std::vector<std::string> lines = OutLines("N7.txt");
  ASSERT_EQ(lines.size(), 1001u);
  EXPECT_EQ(lines[998], "999,R     ,  ,       ,       ,        ,        ");
  EXPECT_EQ(lines[999], "000,R     ,  ,       ,       ,        ,        ");
  EXPECT_EQ(lines[1000].substr(0, 4), "001,");
}

TEST_F(X7Test, MissingOrEmptySourceLeavesEverythingAsItWas) {
  WriteBytes(out_ / "N7.txt", "old\r\n");
  ConvertX7File(context_, Source());
  WriteBytes(src_ / "X7.TXT", "");
  ConvertX7File(context_, Source());
  EXPECT_EQ(ReadBytes(out_ / "N7.txt"), "old\r\n");
  EXPECT_EQ(ReadBytes(src_ / "X7.TXT"), "");
  EXPECT_TRUE(report_.files.empty());
}

}  // namespace
}  // namespace qe2m4
