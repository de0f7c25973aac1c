#include "measurements/x6_converter.h"

#include <gtest/gtest.h>

#include "conversion_fixture.h"
#include "platform/error.h"

namespace qe2m4 {
namespace {

using testing::ReadBytes;
using testing::RecordLine;
using testing::WriteBytes;

class X6Test : public testing::ConversionFixture {
 protected:
  X6Test() { WriteBytes(windows_ / "Patdat32.ini", "[PATDAT]\r\nC:\\TABLES\\\r\n"); }

  // Fifteen rows "r,name"; row 2 is 礫, row 7 has no name, row 15 is 貝殻.
  static std::string NameTable() {
    std::string table;
    for (int row = 1; row <= 15; ++row) {
      std::string name = "N" + std::to_string(row);
      if (row == 2) {
        name = " \xe2\x49 ";
      } else if (row == 7) {
        name = "";
      } else if (row == 15) {
        name = "\x8a\x4c\x8a\x6b";
      }
      table += std::to_string(row) + "," + name + "\r\n";
    }
    return table;
  }

  // Expects the X6 conversion to fail with an error of that kind on that path.
  void ExpectError(platform::ErrorKind kind, const std::u16string& path) {
    try {
      ConvertX6File(context_, Source());
      ADD_FAILURE() << "no error";
    } catch (const platform::Error& error) {
      EXPECT_EQ(error.kind(), kind);
      EXPECT_EQ(error.path(), path);
    }
    EXPECT_FALSE(std::filesystem::exists(out_ / "N6.txt"));
  }
};

TEST_F(X6Test, ColumnsAndMarksOfTheNameTable) {
  WriteBytes(tables_ / "L9.txt", NameTable());
  std::map<int, std::string> first = {{2, "AB"},   {3, "5"}, {5, "1.005"},
                                      {6, "12.5"}, {7, "3"}, {8, ""}};
  for (int k = 29; k <= 48; ++k) {
    first[k] = "zz";
  }
  first[31] = "  \x8a\x4c\x8a\x6b ";  // row 15, blanks around
  first[40] = "\xe2\x49";             // row 2
  first[44] = " \xe2\x49";            // row 2 again
  first[49] = "N3";                   // outside 29..48: no mark
  first[28] = "N4";
  WriteBytes(src_ / "X6.TXT", RecordLine(68, first) +
                                  RecordLine(68, {{2, "\xe2\x49"}, {3, "123"}, {7, "7.5"}}) +
                                  RecordLine(68, {{3, "abc"}, {29, "N1"}}));
  ConvertX6File(context_, Source());
  EXPECT_EQ(ReadBytes(out_ / "N6.txt"),
            "  1,AB    ,05,   1.01,  12.50,  3,   ,010000000000001\r\n"
            "  2,\xe2\x49     ,123,       ,       ,  8,   ,000000100000000\r\n"
            "  3,      ,abc,       ,       ,   ,   ,100000100000000\r\n");
  ASSERT_EQ(report_.files.size(), 1u);
  EXPECT_EQ(report_.files[0].lines, 3);
}

TEST_F(X6Test, ALastNameOfOneByteWithoutLineEndCounts) {
  std::string table = NameTable();
  table.replace(table.rfind("15,"), std::string::npos, "15,Z");
  WriteBytes(tables_ / "L9.txt", table);
  WriteBytes(src_ / "X6.TXT", RecordLine(68, {{2, "A"}, {48, "Z"}}));
  ConvertX6File(context_, Source());
  EXPECT_EQ(ReadBytes(out_ / "N6.txt"), "  1,A     ,,       ,       ,   ,   ,000000100000001\r\n");
}

TEST_F(X6Test, OneByteSourceGivesAnEmptyN6) {
  WriteBytes(tables_ / "L9.txt", NameTable());
  WriteBytes(src_ / "X6.TXT", "1");
  ConvertX6File(context_, Source());
  EXPECT_EQ(ReadBytes(out_ / "N6.txt"), "");
  EXPECT_EQ(ReadBytes(src_ / "X6.TXT"), "1");
}

TEST_F(X6Test, NothingHappensWithoutSourceOrSettings) {
  WriteBytes(tables_ / "L9.txt", NameTable());
  WriteBytes(out_ / "N6.txt", "old\r\n");
  ConvertX6File(context_, Source());  // no X6.TXT
  EXPECT_FALSE(std::filesystem::exists(src_ / "X6.txt"));
  EXPECT_FALSE(std::filesystem::exists(src_ / "X6.TXT"));
  WriteBytes(src_ / "X6.TXT", "");
  ConvertX6File(context_, Source());  // empty X6.TXT stays as it is
  EXPECT_EQ(ReadBytes(src_ / "X6.TXT"), "");
  WriteBytes(src_ / "X6.TXT", RecordLine(68, {{2, "A"}}));
  std::filesystem::remove(windows_ / "Patdat32.ini");
  ConvertX6File(context_, Source());  // no settings file: no table folder
  EXPECT_FALSE(std::filesystem::exists(windows_ / "Patdat32.ini"));
  EXPECT_EQ(ReadBytes(out_ / "N6.txt"), "old\r\n");
  EXPECT_TRUE(report_.files.empty());
}

TEST_F(X6Test, ShortOrMissingTablesAreErrorsBeforeN6IsCreated) {
  WriteBytes(src_ / "X6.TXT", RecordLine(68, {{2, "A"}}));
  ExpectError(platform::ErrorKind::kRead, u"C:\\TABLES\\L9.txt");
  std::string short_table = NameTable();
  short_table.erase(short_table.rfind("15,"));
  WriteBytes(tables_ / "L9.txt", short_table + "15\r\n");  // 29 items
  ExpectError(platform::ErrorKind::kShortFile, u"C:\\TABLES\\L9.txt");
  WriteBytes(tables_ / "L9.txt", "");
  ExpectError(platform::ErrorKind::kShortFile, u"C:\\TABLES\\L9.txt");
  WriteBytes(tables_ / "L9.txt", NameTable());
  WriteBytes(windows_ / "Patdat32.ini", "[PATDAT]\r\n");
  ExpectError(platform::ErrorKind::kShortFile, u"C:\\WINDOWS\\Patdat32.ini");
}

}  // namespace
}  // namespace qe2m4
