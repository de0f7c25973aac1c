#include "batch/batch_list.h"

#include <gtest/gtest.h>

#include "batch/csv_fields.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

std::vector<std::tuple<int, std::u16string, std::u16string>> Lines(const BatchList& list) {
  std::vector<std::tuple<int, std::u16string, std::u16string>> lines;
  for (const BatchEntry& entry : list.entries) {
    lines.emplace_back(entry.line, entry.source, entry.destination);
  }
  return lines;
}

TEST(ReadBatchList, SkipsCommentsAndBlankLinesAndUnquotesFields) {
  const BatchList list = ReadBatchList(
      "# archive of 2024\r\n"
      "S:\\A1,D:\\TYUJYOU\\A1\r\n"
      "\r\n"
      "   \t\n"
      "  # indented comment\n"
      "\"S:\\B,2\" , \"D:\\TYUJYOU\\\"\"Q\"\"\"\n"
      "S:\\C, D:\\TYUJYOU\\C");
  EXPECT_TRUE(list.problems.empty());
  const std::vector<std::tuple<int, std::u16string, std::u16string>> expected = {
      {2, u"S:\\A1", u"D:\\TYUJYOU\\A1"},
      {6, u"S:\\B,2", u"D:\\TYUJYOU\\\"Q\""},
      {7, u"S:\\C", u" D:\\TYUJYOU\\C"},
  };
  EXPECT_EQ(Lines(list), expected);
}

TEST(ReadBatchList, ReadsUtf8WithOrWithoutBomAndCp932) {
  const std::u16string source = u"S:\\調査\\孔１";
  const std::u16string destination = u"D:\\TYUJYOU\\ａ";
  const std::string utf8 =
      "S:\\\xE8\xAA\xBF\xE6\x9F\xBB\\\xE5\xAD\x94\xEF\xBC\x91,"
      "D:\\TYUJYOU\\\xEF\xBD\x81\r\n";
  for (const std::string& bytes :
       {utf8, "\xEF\xBB\xBF" + utf8, testing::Sjis(source + u"," + destination + u"\r\n")}) {
    const BatchList list = ReadBatchList(bytes);
    ASSERT_TRUE(list.problems.empty());
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].source, source);
    EXPECT_EQ(list.entries[0].destination, destination);
  }
}

TEST(ReadBatchList, NamesEveryLineThatIsNotTwoPaths) {
  const struct {
    const char* line;
    bool bad;
  } cases[] = {
      {"S:\\A", true},
      {"S:\\A,D:\\B,E:\\C", true},
      {"S:\\A,D:\\B,", true},
      {",D:\\B", true},
      {"S:\\A,  ", true},
      {"\"S:\\A,D:\\B", true},
      {"\"S:\\A\"x,D:\\B", true},
      {"S:\\A,D:\\B", false},
  };
  for (const auto& c : cases) {
    const BatchList list = ReadBatchList(std::string("# first\n") + c.line + "\n");
    if (c.bad) {
      ASSERT_EQ(list.problems.size(), 1u) << c.line;
      EXPECT_EQ(list.problems[0].lines, std::vector<int>{2}) << c.line;
      EXPECT_TRUE(list.entries.empty()) << c.line;
    } else {
      EXPECT_TRUE(list.problems.empty()) << c.line;
      EXPECT_EQ(list.entries.size(), 1u) << c.line;
    }
  }
}

TEST(CsvField, QuotesOnlyWhatASpreadsheetWouldMisread) {
  EXPECT_EQ(CsvField(u"S:\\A"), u"S:\\A");
  EXPECT_EQ(CsvField(u"a,b"), u"\"a,b\"");
  EXPECT_EQ(CsvField(u"say \"x\""), u"\"say \"\"x\"\"\"");
  EXPECT_EQ(CsvField(u"one\ntwo"), u"\"one\ntwo\"");
  EXPECT_EQ(CsvField(u" lead"), u"\" lead\"");
  for (const std::u16string text : {u"a,b", u"say \"x\"", u" lead", u"plain"}) {
    const auto fields = SplitCsvLine(CsvField(text) + u"," + CsvField(text));
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(*fields, (std::vector<std::u16string>{text, text}));
  }
}

}  // namespace
}  // namespace qe2m4::batch
