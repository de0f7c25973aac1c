#include "measurements/measurement_files.h"

#include <gtest/gtest.h>

#include "conversion_fixture.h"
#include "measurements/layer_files.h"
#include "soil/inclusion_table.h"

namespace qe2m4 {
namespace {

using testing::ReadBytes;
using testing::RecordLine;
using testing::WriteBytes;

class MeasurementFilesTest : public testing::ConversionFixture {
 protected:
  MeasurementFilesTest() { PrepareSoilTables(inclusions_); }

  void Run() { ConvertMeasurementFiles(context_, inclusions_, SoilReadings::None(), Source()); }

  InclusionTable inclusions_;
};

TEST(SplitLayerDescription, AlternationsGiveTwoNames) {
  struct Case {
    std::u16string description;
    int kind;
    std::u16string first;
    std::u16string second;
  } const cases[] = {
      {u"砂と粘土の互層", 2, u"砂", u"粘土"},
      {u"砂と粘土の互層（薄層）", 2, u"砂", u"粘土"},
      {u"砂と粘土互層", 2, u"砂", u""},
      {u"砂粘土の互層", 2, u"", u""},
      {u"砂", 1, u"砂", u""},
      {u" 砂と粘土 ", 1, u" 砂と粘土 ", u""},
  };
  for (const Case& c : cases) {
    const LayerNames names = SplitLayerDescription(c.description);
    EXPECT_EQ(names.kind, c.kind);
    EXPECT_EQ(names.parts[0], u"");
    EXPECT_EQ(names.parts[1], c.first);
    EXPECT_EQ(names.parts[2], c.second);
  }
}

TEST_F(MeasurementFilesTest, EveryFamilyIsWrittenInItsColumns) {
  const std::string sand = "\x8d\xbb";                 // 砂
  const std::string clay = "\x94\x53\x93\x79";         // 粘土
  const std::string to = "\x82\xc6";                   // と
  const std::string no = "\x82\xcc";                   // の
  const std::string alternation = "\x8c\xdd\x91\x77";  // 互層
  WriteBytes(src_ / "X1.TXT", "1,1.50,x," + sand + to + clay + no + alternation + "\r\n" +
                                  "2,3.00,x," + sand + "\r\n" + "3,4.00,x," + sand + to + clay +
                                  alternation + "\r\n" + "4,5.00,x," + sand + clay + alternation +
                                  "\r\n");
  WriteBytes(src_ / "X4.TXT", "1,1.5,a,b," + sand + "\r\n" +
                                  "2,2.25,a,b,\x83\x4b\x83\x89\x83\x58\r\n" +  // ガラス
                                  "3,3,a,b,\x8a\x4c\x8a\x6b\r\n" +             // 貝殻
                                  "4,4,a,b,\" " + sand + "\"\r\n");
  WriteBytes(src_ / "X11.TXT", "1,2.345,0,x,note\r\n2,,12.5,x,\xe2\x49\r\n");
  WriteBytes(src_ / "X3.TXT", "1,1.5,ABCDEFGH,x,\xe2\x49,y,z\r\n");
  std::string long_remark(3030, 'b');
  WriteBytes(src_ / "X12.TXT", "1,1.5," + std::string(29, 'a') + "\x8a\xbf\r\n" + "2,2,\r\n" +
                                   "3,," + long_remark + "c\r\n");
  WriteBytes(src_ / "X5.TXT", "1,3.5,\"A  \",x,B,C,D,E,F,G,\"12  \"\r\n");
  Run();

  EXPECT_EQ(ReadBytes(out_ / "N1.txt"),
            "  1,   1.50,300,600\r\n"
            "  2,   3.00,300,000\r\n"
            "  3,   4.00,300,000\r\n"
            "  4,   5.00,000,000\r\n");
  EXPECT_EQ(OutLines("N1A.txt").at(0),
            "  1,   1.50,  ,  ,20,  ,  ,40,  ,  ,300,  ,  ,600,  ,  ,  ,  ,  ,  ");
  ASSERT_EQ(report_.unmatched_layers.size(), 2u);
  EXPECT_EQ(report_.unmatched_layers[0].record, 3);
  EXPECT_EQ(report_.unmatched_layers[0].description, u"砂と粘土互層");
  EXPECT_EQ(report_.unmatched_layers[1].record, 4);
  EXPECT_EQ(report_.unmatched_layers[1].description, u"砂粘土互層");

  EXPECT_EQ(ReadBytes(out_ / "N4.txt"),
            "  1,    1.5,   0.00, 3\r\n"
            "  2,   2.25,   0.00,oo\r\n"
            "  3,      3,   0.00,14\r\n"
            "  4,      4,   0.00,oo\r\n");
  EXPECT_EQ(ReadBytes(out_ / "N11.txt"),
            "  1,   2.35,   ,note                \r\n"
            "  2,       , 13,\xe2\x49                   \r\n");
  EXPECT_EQ(ReadBytes(out_ / "N3.txt"), "  1,    1.5,ABCDEF,\xe2\x49     \r\n");
  EXPECT_EQ(ReadBytes(out_ / "N5.txt"), "  1,    3.5,  A,  B,  C,  D,  E,  F,  G, 12\r\n");

  const std::vector<std::string> n12 = OutLines("N12.txt");
  ASSERT_EQ(n12.size(), 105u);
  EXPECT_EQ(n12[0], "  1,   1.50,\"" + std::string(29, 'a') + " \"");
  EXPECT_EQ(n12[1], "  2,       ,\"\x8a\xbf" + std::string(28, ' ') + "\"");
  EXPECT_EQ(n12[2], "  3,   2.00,\"" + std::string(30, ' ') + "\"");
  EXPECT_EQ(n12[3], "  4,       ,\"" + std::string(30, 'b') + "\"");
  EXPECT_EQ(n12[103], "104,       ,\"" + std::string(30, 'b') + "\"");
  EXPECT_EQ(n12[104], "105,       ,\"c" + std::string(29, ' ') + "\"");

  const std::vector<std::pair<std::u16string, std::int64_t>> expected_files = {
      {u"N1.txt", 4}, {u"N1A.txt", 4},   {u"N4.txt", 4}, {u"N11.txt", 2},
      {u"N3.txt", 1}, {u"N12.txt", 105}, {u"N5.txt", 1}};
  ASSERT_EQ(report_.files.size(), expected_files.size());
  for (std::size_t i = 0; i < expected_files.size(); ++i) {
    EXPECT_EQ(report_.files[i].name, expected_files[i].first);
    EXPECT_EQ(report_.files[i].lines, expected_files[i].second);
  }
}

TEST_F(MeasurementFilesTest, MissingSourcesLeaveOutputsAndSourcesAlone) {
  WriteBytes(src_ / "X1.TXT", "1");  // passes as data, holds no record
  WriteBytes(src_ / "X4.TXT", "");
  WriteBytes(src_ / "X7.TXT", "");
  WriteBytes(out_ / "N3.txt", "old N3\r\n");
  const auto before = SourceListing();
  Run();
  EXPECT_EQ(SourceListing(), before);
  EXPECT_EQ(ReadBytes(out_ / "N1.txt"), "");
  EXPECT_EQ(ReadBytes(out_ / "N1A.txt"), "");
  EXPECT_EQ(ReadBytes(out_ / "N3.txt"), "old N3\r\n");
  for (const char* name : {"N4.txt", "N5.txt", "N6.txt", "N7.txt", "N11.txt", "N12.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(out_ / name)) << name;
  }
  ASSERT_EQ(report_.files.size(), 2u);
  EXPECT_EQ(report_.files[1].name, u"N1A.txt");
}

TEST_F(MeasurementFilesTest, AFileShorterThanOneRecordKeepsTheTextsOfTheFilesBeforeIt) {
  // X5's only record ends after three fields: fields 4 to 7 keep X3's texts (X12, read in
  // between, has three fields), fields 8 to 11 were never read by the run and are empty.
  WriteBytes(src_ / "X1.TXT", "1,1.50,x,y\r\n");
  WriteBytes(src_ / "X3.TXT", "1,1.5,a,b,C,D,E\r\n");
  WriteBytes(src_ / "X12.TXT", "1,2.0,remark\r\n");
  WriteBytes(src_ / "X5.TXT", "1,3.5,A\r\n");
  WriteBytes(src_ / "X7.TXT", RecordLine(68, {{1, "1"}, {2, "AB"}, {5, "1.5"}}));
  Run();
  EXPECT_EQ(ReadBytes(out_ / "N5.txt"), "  1,    3.5,  A,  C,  D,  E,   ,   ,   ,   \r\n");
  EXPECT_EQ(OutLines("N7.txt").size(), 1u);
  std::vector<std::u16string> names;
  for (const WrittenFile& file : report_.files) {
    names.push_back(file.name);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"N1.txt", u"N1A.txt", u"N3.txt", u"N12.txt",
                                                u"N5.txt", u"N7.txt"}));
}

TEST_F(MeasurementFilesTest, LineNumbersCountOnPastSixteenBits) {
  WriteBytes(src_ / "X1.TXT", "1,1.0,x,\x8d\xbb\r\n");
  std::string records;
  for (int n = 1; n <= 32768; ++n) {
    records += "1,1,,,\r\n";
  }
  WriteBytes(src_ / "X4.TXT", records);
  Run();
  const std::vector<std::string> n4 = OutLines("N4.txt");
  ASSERT_EQ(n4.size(), 32768u);
  EXPECT_EQ(n4[32766], "767,      1,   0.00,oo");
  EXPECT_EQ(n4[32767], "768,      1,   0.00,oo");
}

}  // namespace
}  // namespace qe2m4
