#include "batch/batch_list.h"

#include <gtest/gtest.h>

#include "batch/csv_fields.h"
#include "platform/interrupted.h"
#include "platform/utf8.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

using common::TextEncoding;

// UTF-16 as Notepad saves "Unicode": little-endian with a BOM; or big-endian with its BOM.
std::string Utf16(std::u16string_view text, bool big_endian = false) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

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

TEST(ReadBatchList, ReadsEachEncodingAsUsersSaveIt) {
  const std::u16string kanji = u"S:\\東京\\孔１,D:\\TYUJYOU\\現場Ａ";
  const std::u16string katakana = u"S:\\ﾅｶ,D:\\ﾅｶ";
  const std::u16string comment = u"# 東京の現場\r\n";
  const struct {
    const char* what;
    std::string bytes;
    std::optional<TextEncoding> forced;
    TextEncoding encoding;
    std::u16string line;  // the line the entry holds, as SOURCE,DEST
  } cases[] = {
      {"UTF-8", platform::ToUtf8(comment + kanji), std::nullopt, TextEncoding::kUtf8, kanji},
      {"CP932", testing::Sjis(comment + kanji), std::nullopt, TextEncoding::kCp932, kanji},
      {"Notepad's Unicode", Utf16(comment + kanji + u"\r\n"), std::nullopt, TextEncoding::kUtf16,
       kanji},
      {"UTF-16 big-endian", Utf16(kanji, true), std::nullopt, TextEncoding::kUtf16, kanji},
      {"a CP932 comment over UTF-8 paths", testing::Sjis(comment) + platform::ToUtf8(kanji),
       std::nullopt, TextEncoding::kUtf8, kanji},
      // C5 B6 is ﾅｶ in CP932 and Ŷ in UTF-8: the Japanese reading wins.
      {"CP932 half-width katakana", testing::Sjis(katakana), std::nullopt, TextEncoding::kCp932,
       katakana},
      {"half-width katakana forced to UTF-8", testing::Sjis(katakana), TextEncoding::kUtf8,
       TextEncoding::kUtf8, u"S:\\Ŷ,D:\\Ŷ"},
      {"UTF-8 forced to CP932", "S:\\A,D:\\\xC2\xB0", TextEncoding::kCp932, TextEncoding::kCp932,
       u"S:\\A,D:\\ﾂｰ"},
      {"UTF-16 without a mark, forced", Utf16(kanji).substr(2), TextEncoding::kUtf16,
       TextEncoding::kUtf16, kanji},
  };
  for (const auto& c : cases) {
    const BatchList list = ReadBatchList(c.bytes, c.forced);
    EXPECT_TRUE(list.problems.empty()) << c.what << ": " << list.problems[0].message;
    EXPECT_EQ(list.encoding, c.encoding) << c.what;
    ASSERT_EQ(list.entries.size(), 1u) << c.what;
    EXPECT_EQ(list.entries[0].source + u"," + list.entries[0].destination, c.line) << c.what;
  }
}

TEST(ReadBatchList, NamesTheFirstLineThatIsNotTextInItsEncoding) {
  const struct {
    const char* what;
    std::string bytes;
    std::optional<TextEncoding> forced;
    int line;
    std::string message;
  } cases[] = {
      {"a broken CP932 pair", "S:\\A,D:\\A\r\n" + testing::Sjis(u"S:\\東,D:\\") + "\x81\r\n",
       std::nullopt, 2, "not valid CP932 text"},
      {"CP932 forced to UTF-8", "# list\r\n" + testing::Sjis(u"S:\\東,D:\\B"), TextEncoding::kUtf8,
       2, "not valid UTF-8 text"},
      {"a NUL byte (UTF-16 without its mark)", std::string("S:\\A,D:\\B").insert(1, 1, '\0'),
       std::nullopt, 1, "not valid CP932 text"},
  };
  for (const auto& c : cases) {
    const BatchList list = ReadBatchList(c.bytes, c.forced);
    ASSERT_FALSE(list.problems.empty()) << c.what;
    EXPECT_EQ(list.problems[0].lines, std::vector<int>{c.line}) << c.what;
    EXPECT_EQ(list.problems[0].message, c.message) << c.what;
  }
}

// A line ends at its line feed with one carriage return before it removed; what else a line
// holds stays in its paths, so that the run refuses a name with a control character instead of
// a trimmed name taking its place.
TEST(ReadBatchList, KeepsEveryCharacterButOneCarriageReturnBeforeTheLineFeed) {
  const BatchList list = ReadBatchList("S:\\A,D:\\CR1\r\r\nS:\\B,D:\\TAB\t\nS:\\C,D:\\CR2\r");
  EXPECT_TRUE(list.problems.empty());
  ASSERT_EQ(list.entries.size(), 3u);
  EXPECT_EQ(list.entries[0].destination, u"D:\\CR1\r");
  EXPECT_EQ(list.entries[1].destination, u"D:\\TAB\t");
  EXPECT_EQ(list.entries[2].destination, u"D:\\CR2");
}

TEST(ReadBatchList, RefusesALineLongerThanTheLimit) {
  const std::string longest = "S:\\A,D:\\" + std::string(kMaxListLineLength - 8, 'x');
  const BatchList list = ReadBatchList("# long\n" + longest + "\n" + longest + "y\n");
  ASSERT_EQ(list.entries.size(), 1u);
  EXPECT_EQ(list.entries[0].line, 2);
  ASSERT_EQ(list.problems.size(), 1u);
  EXPECT_EQ(list.problems[0].lines, std::vector<int>{3});
  EXPECT_EQ(list.problems[0].message, "a line longer than 65536 characters");
}

TEST(ReadBatchList, StopsWhenAskedTo) {
  std::string bytes;
  for (int i = 0; i < 100; ++i) {
    bytes += "S:\\A,D:\\B" + std::to_string(i) + "\n";
  }
  int asked = 0;
  EXPECT_THROW(ReadBatchList(bytes, std::nullopt, [&] { return ++asked == 10; }),
               platform::Interrupted);
  EXPECT_EQ(asked, 10);
  EXPECT_EQ(ReadBatchList(bytes, std::nullopt, [] { return false; }).entries.size(), 100u);
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
