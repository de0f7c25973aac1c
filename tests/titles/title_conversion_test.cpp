#include "titles/title_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_machine.h"
#include "titles/title_copies.h"

namespace qe2m4 {
namespace {

using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

std::string Blanks(std::size_t n) {
  return std::string(n, ' ');
}

// The lines of a CR LF file; a file that does not end with CR LF fails the test.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line without CR LF";
    if (end == std::string::npos) {
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class TitleConversionTest : public ::testing::Test {
 protected:
  static platform::DrivePath Path(std::u16string_view text) {
    return *platform::DrivePath::Parse(text);
  }

  TitleConversionTest()
      : src_(machine_.AddDrive(u'S') / "SRC"),
        out_(machine_.AddDrive(u'D') / "OUT"),
        reader_(machine_.fs()),
        context_{machine_.fs(), reader_, Path(u"D:\\OUT"), report_} {
    std::filesystem::create_directories(src_);
    std::filesystem::create_directories(out_);
  }

  // The title files of the source copied, read and written as a run does.
  void Run() {
    TitleCopies copies(machine_.fs(), Path(u"D:\\OUT"));
    copies.Copy(Path(u"S:\\SRC"), report_);
    TitleTable table;
    copies.ReadTitleTexts(reader_, table);
    WriteTitleFiles(context_, table);
  }

  TempMachine machine_;
  std::filesystem::path src_;
  std::filesystem::path out_;
  RecordReader reader_;
  ConversionReport report_;
  ConversionContext context_;
};

TEST_F(TitleConversionTest, WithoutTitleFilesEveryLineHasItsBlankOrZeroForm) {
  WriteBytes(src_ / "titl02.txt", "");  // an empty copy is consumed like the others
  Run();

  const std::string titl1 = Blanks(60) + "\r\n" +         // 1
                            "\r\n" +                      // 2
                            Blanks(20) + "\r\n" +         // 3
                            Blanks(60) + "\r\n" +         // 4
                            Blanks(16) + "\r\n" +         // 5
                            Blanks(30) + "\r\n" +         // 6
                            "\r\n" +                      // 7
                            "     \r\n" +                 // 8
                            "     \r\n" +                 // 9
                            "\r\n\r\n\r\n\r\n\r\n\r\n" +  // 10-15
                            "\r\n" +                      // 16
                            "    0.00\r\n" +              // 17
                            "\r\n" +                      // 18
                            "    0.00\r\n" +              // 19
                            Blanks(16) + "\r\n" + Blanks(16) + "\r\n" + Blanks(16) + "\r\n" +
                            Blanks(16) + "\r\n" +  // 20-23
                            Blanks(24) + "\r\n" + Blanks(24) + "\r\n" + Blanks(24) +
                            "\r\n" +              // 24-26
                            "\r\n" +              // 27
                            Blanks(16) + "\r\n";  // 28
  EXPECT_EQ(ReadBytes(out_ / "Titl1.txt"), titl1);

  const std::string titl2 = Blanks(50) + "\r\n" + "\r\n" + Blanks(40) + "\r\n" + Blanks(12) +
                            "\r\n" + "   \r\n" + "   \r\n" + "     \r\n" + "   \r\n" + "   \r\n" +
                            "     \r\n" + "    0.00\r\n" + "   0.00\r\n" + "   0.00\r\n" +
                            "   0.00\r\n" + Blanks(12) + "\r\n";
  EXPECT_EQ(ReadBytes(out_ / "Titl2.txt"), titl2);

  EXPECT_FALSE(std::filesystem::exists(out_ / "titl02.txt"));
  ASSERT_EQ(report_.files.size(), 2u);
  EXPECT_EQ(report_.files[0].name, u"Titl1.txt");
  EXPECT_EQ(report_.files[0].lines, 28);
  EXPECT_EQ(report_.files[1].name, u"Titl2.txt");
  EXPECT_EQ(report_.files[1].lines, 15);
}

TEST_F(TitleConversionTest, FilledTitleFilesAreLaidOutAndConsumed) {
  // titl01.txt: line n holds the text for a(n).
  std::vector<std::string> a(25, "");
  a[1] = "123456789012345678901234567890123456789012345678901234567890Z";  // 61 bytes
  a[2] = "  ABC  ";
  a[3] = "SITE";
  a[4] = "  four ";
  a[11] = "12";
  a[13] = "123456";
  a[17] = std::string(49, 'k') + "\x8a\xbf";  // 49 + 漢 does not fit 50 bytes
  a[19] = "ABCDEFGHIJKLM";
  std::string titl01;
  for (std::size_t n = 1; n < a.size(); ++n) {
    titl01 += a[n] + "\r\n";
  }
  WriteBytes(src_ / "titl01.txt", titl01);

  std::vector<std::string> b(32, "");
  b[1] = "\x8d\xbb";  // 砂
  b[17] = " 7.5 ";
  b[19] = "12.346";
  b[20] = "123456.78";
  b[23] = "7.5m";
  b[25] = "12345.6";
  b[26] = "-3";
  b[27] = "abc";
  b[31] = "last";
  std::string titl02;
  for (std::size_t n = 1; n < b.size(); ++n) {
    titl02 += b[n] + "\r\n";
  }
  WriteBytes(src_ / "TITL02.TXT", titl02);
  WriteBytes(src_ / "titl03.txt", "unused\r\n");
  Run();

  const std::vector<std::string> titl1 = Lines(ReadBytes(out_ / "Titl1.txt"));
  ASSERT_EQ(titl1.size(), 28u);
  EXPECT_EQ(titl1[0], "123456789012345678901234567890123456789012345678901234567890");
  EXPECT_EQ(titl1[1], "Z" + Blanks(59));
  EXPECT_EQ(titl1[2], "SITE" + Blanks(16));
  EXPECT_EQ(titl1[3], "ABC" + Blanks(57));
  EXPECT_EQ(titl1[4], "\x8d\xbb" + Blanks(14));
  EXPECT_EQ(titl1[9], "four");
  EXPECT_EQ(titl1[15], "7.5");
  EXPECT_EQ(titl1[16], "   12.35");
  EXPECT_EQ(titl1[18], "    7.50");
  EXPECT_EQ(titl1[26], "last");

  const std::vector<std::string> titl2 = Lines(ReadBytes(out_ / "Titl2.txt"));
  ASSERT_EQ(titl2.size(), 15u);
  EXPECT_EQ(titl2[0], std::string(49, 'k') + " ");
  EXPECT_EQ(titl2[1], "\x8a\xbf" + Blanks(48));
  EXPECT_EQ(titl2[3], "BCDEFGHIJKLM");
  EXPECT_EQ(titl2[4], " 12");
  EXPECT_EQ(titl2[6], "23456");
  EXPECT_EQ(titl2[10], "23456.78");
  EXPECT_EQ(titl2[11], "2345.60");
  EXPECT_EQ(titl2[12], "  -3.00");
  EXPECT_EQ(titl2[13], "   0.00");

  for (const char* name : {"titl01.txt", "TITL02.TXT", "titl03.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(out_ / name)) << name;
  }
}

TEST_F(TitleConversionTest, DoubleByteCharacterAtTheWidthMovesToTheSecondLine) {
  WriteBytes(src_ / "titl01.txt", std::string(59, 'x') + "\x82\xa0\r\n");  // 59 + あ
  Run();
  const std::vector<std::string> titl1 = Lines(ReadBytes(out_ / "Titl1.txt"));
  ASSERT_EQ(titl1.size(), 28u);
  EXPECT_EQ(titl1[0], std::string(59, 'x') + " ");
  EXPECT_EQ(titl1[1], "\x82\xa0" + Blanks(58));
}

TEST_F(TitleConversionTest, ReadingKeepsFiftyTrimmedLinesAndDropsASingleByteLastLine) {
  std::string many;
  for (int n = 1; n <= 51; ++n) {
    many += "  L" + std::to_string(n) + "  \r\n";
  }
  WriteBytes(src_ / "titl01.txt", many);
  WriteBytes(src_ / "titl02.txt", "first\r\nX");
  TitleCopies copies(machine_.fs(), Path(u"D:\\OUT"));
  copies.Copy(Path(u"S:\\SRC"), report_);
  TitleTable table;
  copies.ReadTitleTexts(reader_, table);
  EXPECT_EQ(table.cell(1, 1), u"L1");
  EXPECT_EQ(table.cell(1, 50), u"L50");
  EXPECT_EQ(table.cell(2, 1), u"first");
  EXPECT_EQ(table.cell(2, 2), u"");
  EXPECT_FALSE(reader_.IsOpen());
}

TEST_F(TitleConversionTest, EveryTitl0NameIsCopiedAndOnlyTheConversionsCopiesAreConsumed) {
  for (const char* name : {"titl01.txt", "TITL02.TXT", "titl03.txt", "titl0A.txt"}) {
    WriteBytes(src_ / name, "x\r\ny\r\n");
  }
  WriteBytes(src_ / "titl1.txt", "x");
  WriteBytes(src_ / "titl011.txt", "x");
  Run();
  EXPECT_EQ(ReadBytes(out_ / "titl0A.txt"), "x\r\ny\r\n");
  // By the stored names: on Windows "titl1.txt" would find the output Titl1.txt.
  std::set<std::string> stored;
  for (const auto& entry : std::filesystem::directory_iterator(out_)) {
    stored.insert(entry.path().filename().string());
  }
  for (const char* name : {"titl01.txt", "TITL02.TXT", "titl03.txt", "titl1.txt", "titl011.txt"}) {
    EXPECT_EQ(stored.count(name), 0u) << name;
  }
  // Only the copy that stays is listed, with its lines; then the two title files.
  ASSERT_EQ(report_.files.size(), 3u);
  EXPECT_EQ(report_.files[0].name, u"titl0A.txt");
  EXPECT_EQ(report_.files[0].lines, 2);
  EXPECT_EQ(report_.files[1].name, u"Titl1.txt");
  EXPECT_EQ(report_.files[2].name, u"Titl2.txt");
}

TEST_F(TitleConversionTest, AFileOfATitleNameThisRunDidNotCopyIsRemovedUnread) {
  WriteBytes(src_ / "titl01.txt", "mine\r\n");
  WriteBytes(out_ / "titl02.txt", "an earlier boring's\r\n");
  TitleCopies copies(machine_.fs(), Path(u"D:\\OUT"));
  copies.Copy(Path(u"S:\\SRC"), report_);
  TitleTable table;
  copies.ReadTitleTexts(reader_, table);
  EXPECT_EQ(table.cell(1, 1), u"mine");
  EXPECT_EQ(table.cell(2, 1), u"");
  EXPECT_FALSE(std::filesystem::exists(out_ / "titl01.txt"));
  EXPECT_FALSE(std::filesystem::exists(out_ / "titl02.txt"));
}

TEST_F(TitleConversionTest, CopiesNeverReadAreRemovedWhenTheRunEndsBeforeTheirTurn) {
  WriteBytes(src_ / "titl01.txt", "x\r\n");
  WriteBytes(src_ / "titl03.txt", "x\r\n");
  WriteBytes(src_ / "titl09.txt", "x\r\n");
  {
    TitleCopies copies(machine_.fs(), Path(u"D:\\OUT"));
    copies.Copy(Path(u"S:\\SRC"), report_);
    ASSERT_TRUE(std::filesystem::exists(out_ / "titl01.txt"));
  }
  EXPECT_FALSE(std::filesystem::exists(out_ / "titl01.txt"));
  EXPECT_FALSE(std::filesystem::exists(out_ / "titl03.txt"));
  EXPECT_TRUE(std::filesystem::exists(out_ / "titl09.txt"));  // not the conversion's: it stays
}

}  // namespace
}  // namespace qe2m4
