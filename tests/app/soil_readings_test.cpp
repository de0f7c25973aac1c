#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/run_notice.h"
#include "app/soil_readings_file.h"
#include "app/soil_readings_message.h"
#include "app/soil_readings_table.h"
#include "batch/csv_fields.h"
#include "common/csv_line.h"
#include "common/text_encoding.h"
#include "platform/cp932.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "soil/soil_class.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using Kind = SoilReadingsProblem::Kind;

std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// The reading of each description, or "-" for none.
std::vector<std::u16string> Readings(const SoilReadings& readings,
                                     const std::vector<std::u16string>& descriptions) {
  std::vector<std::u16string> found;
  for (const std::u16string& description : descriptions) {
    const std::u16string* const reading = readings.Find(description);
    found.push_back(reading != nullptr ? *reading : u"-");
  }
  return found;
}

TEST(SoilReadingsTable, ReadsItsTwoColumnsInEveryEncodingWhereverTheyStand) {
  const std::u16string text =
      u"# 読み替え表\r\n"
      u"\r\n"
      u"備考,読み替え,記述\r\n"
      u"x, 粘土 ,粘性土\r\n"
      u"空の読み替え,,砂質土\r\n"
      u"\r\n"
      u"\"a, b\",\"礫混り粘土\",\"礫混り粘性土\"\r\n"
      u"short\r\n"
      u",硬岩,  花崗岩  \n";
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"UTF-8", Utf8(text)},
      {"UTF-8 with a BOM", "\xEF\xBB\xBF" + Utf8(text)},
      {"CP932", platform::EncodeCp932(text)},
      {"UTF-16 little-endian", Utf16(text, false)},
      {"UTF-16 big-endian", Utf16(text, true)},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const SoilReadingsTable table = ReadSoilReadingsTable(file.bytes);
    ASSERT_FALSE(table.problem);
    EXPECT_TRUE(table.warnings.empty());
    EXPECT_EQ(table.readings.size(), 3u);
    EXPECT_EQ(Readings(table.readings, {u"粘性土", u"砂質土", u"礫混り粘性土", u"花崗岩", u"x"}),
              (std::vector<std::u16string>{u"粘土", u"-", u"礫混り粘土", u"硬岩", u"-"}));
  }
}

TEST(SoilReadingsTable, ADescriptionMatchesWhenEqualWithoutItsBlanksAndNothingPartial) {
  const SoilReadingsTable table = ReadSoilReadingsTable(
      Utf8(u"記述,読み替え\n 粘性土 ,粘土\n礫混り粘性土,礫混り粘土\n\"  崖錐堆積物\",砂礫\n"));
  ASSERT_FALSE(table.problem);
  EXPECT_EQ(Readings(table.readings,
                     {u"粘性土", u"   粘性土  ", u"粘性土　", u"\t粘性土", u"粘性", u"粘性土質",
                      u"礫混り粘性土", u"礫混じり粘性土", u"粘性土と砂の互層", u"崖錐堆積物 "}),
            (std::vector<std::u16string>{u"粘土", u"粘土", u"-", u"-", u"-", u"-", u"礫混り粘土",
                                         u"-", u"-", u"砂礫"}));
}

TEST(SoilReadingsTable, ACellMarkedAsTextForASpreadsheetIsReadWithoutTheMark) {
  const SoilReadingsTable table =
      ReadSoilReadingsTable(Utf8(u"記述,読み替え\n'=1+2,粘土\n'-砂,'+砂\n'粘性土,礫\n'@x,砂礫\n"));
  ASSERT_FALSE(table.problem);
  EXPECT_EQ(Readings(table.readings, {u"=1+2", u"-砂", u"'粘性土", u"粘性土", u"@x", u"'@x"}),
            (std::vector<std::u16string>{u"粘土", u"+砂", u"礫", u"-", u"砂礫", u"-"}));
}

TEST(SoilReadingsTable, ATableWrittenBackAsTheBatchWritesItsSoilTableReadsTheSame) {
  // Blanks before the mark are blanks around the cell: " '=x" is the text "=x", which the
  // batch's soil table writes as "'=x" and which must read back as "=x" again.
  const SoilReadingsTable table = ReadSoilReadingsTable(
      Utf8(u"記述,読み替え\n '=x ,砂\n'\t砂,  '-1\n\"'=\"\"粘土\",\"礫, 砂\"\n"));
  ASSERT_FALSE(table.problem);
  EXPECT_EQ(Readings(table.readings, {u"=x", u"'=x", u"\t砂", u"=\"粘土"}),
            (std::vector<std::u16string>{u"砂", u"-", u"-1", u"礫, 砂"}));
  std::u16string written = u"記述,回数,ボーリング数,読み替え\n";
  for (const auto& [description, reading] : table.readings.entries()) {
    written += batch::CsvField(batch::SpreadsheetText(description)) + u",1,1," +
               batch::CsvField(batch::SpreadsheetText(reading)) + u"\n";
  }
  const SoilReadingsTable again = ReadSoilReadingsTable(Utf8(written));
  ASSERT_FALSE(again.problem);
  EXPECT_EQ(again.readings.entries(), table.readings.entries());
}

TEST(SoilReadingsTable, BadTablesNameTheLinesAndWhatIsWrong) {
  const struct {
    const char* name;
    std::string bytes;
    Kind kind;
    std::vector<int> lines;
    std::u16string column;
  } cases[] = {
      {"no reading column", Utf8(u"記述,読替\n粘性土,粘土\n"), Kind::kNoColumn, {1}, u"読み替え"},
      {"no description column after notes",
       Utf8(u"# 例\n\ndescription,読み替え\n"),
       Kind::kNoColumn,
       {3},
       u"記述"},
      {"a data row before the header",
       Utf8(u"粘性土,粘土\n記述,読み替え\n"),
       Kind::kNoColumn,
       {1},
       u"記述"},
      {"two description columns", Utf8(u"記述,読み替え, 記述 \n"), Kind::kTwoColumns, {1}, u"記述"},
      {"two readings of one description",
       Utf8(u"記述,読み替え\n粘性土,粘土\n砂,砂\n 粘性土,シルト\n"),
       Kind::kTwoReadings,
       {2, 4},
       u""},
      {"a quote not closed", Utf8(u"記述,読み替え\n\"粘性土,粘土\n"), Kind::kBadQuote, {2}, u""},
      {"text after a closing quote",
       Utf8(u"記述,読み替え\n粘性土,\"粘土\"x\n"),
       Kind::kBadQuote,
       {2},
       u""},
      {"a header quote not closed", Utf8(u"\"記述,読み替え\n"), Kind::kBadQuote, {1}, u""},
      {"not UTF-8 after its BOM",
       "\xEF\xBB\xBF" + Utf8(u"記述,読み替え\n粘性土,粘土\n") + "\xC3(,x\n",
       Kind::kBadText,
       {3},
       u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SoilReadingsTable table = ReadSoilReadingsTable(c.bytes);
    ASSERT_TRUE(table.problem);
    EXPECT_EQ(table.problem->kind, c.kind);
    EXPECT_EQ(table.problem->lines, c.lines);
    EXPECT_EQ(table.problem->column, c.column);
    EXPECT_TRUE(table.readings.empty());
  }
  const SoilReadingsTable bad_text =
      ReadSoilReadingsTable("\xEF\xBB\xBF" + Utf8(u"記述,読み替え\n") + "\xC3(\n");
  ASSERT_TRUE(bad_text.problem);
  EXPECT_EQ(bad_text.problem->encoding, "UTF-8");
}

TEST(SoilReadingsTable, OneDescriptionTwiceWithOneReadingIsNoProblem) {
  const SoilReadingsTable table =
      ReadSoilReadingsTable(Utf8(u"記述,読み替え\n粘性土,粘土\n 粘性土 , 粘土\n粘性土,\n"));
  ASSERT_FALSE(table.problem);
  EXPECT_EQ(table.readings.size(), 1u);
  EXPECT_EQ(Readings(table.readings, {u"粘性土"}), std::vector<std::u16string>{u"粘土"});
}

TEST(SoilReadingsTable, AReadingThatFindsNoMainSoilIsAWarning) {
  const SoilReadingsTable table = ReadSoilReadingsTable(
      Utf8(u"記述,読み替え\n花崗岩,岩\n粘性土,粘土\n互層,粘土と岩の互層\n砂,粘土と砂の互層\n"
           u"礫質土,礫質\n"));
  ASSERT_FALSE(table.problem);
  ASSERT_EQ(table.warnings.size(), 3u);
  EXPECT_EQ(table.warnings[0].line, 2);
  EXPECT_EQ(table.warnings[0].reading, u"岩");
  EXPECT_EQ(table.warnings[1].line, 4);
  EXPECT_EQ(table.warnings[1].reading, u"粘土と岩の互層");
  EXPECT_EQ(table.warnings[2].line, 6);
  // The table is used all the same.
  EXPECT_EQ(table.readings.size(), 5u);
}

TEST(SoilReadingsTable, AFileOfNothingButNotesHasNoReadings) {
  for (const std::string& bytes :
       {std::string(), std::string("\xEF\xBB\xBF"), Utf8(u"# 例\r\n\r\n  \r\n"),
        Utf8(u"記述,読み替え\r\n"), Utf8(u"記述,読み替え\r\n粘性土,\r\n")}) {
    const SoilReadingsTable table = ReadSoilReadingsTable(bytes);
    EXPECT_FALSE(table.problem) << bytes;
    EXPECT_TRUE(table.readings.empty()) << bytes;
  }
}

class SoilReadingsFile : public ::testing::Test {
 protected:
  testing::TempMachine machine_;
  fs::path file_ = machine_.root() / "soil-readings.csv";
};

TEST_F(SoilReadingsFile, IsReadAsTheOtherSettingsFilesAre) {
  EXPECT_FALSE(LoadSoilReadingsFile(file_, false).problem);
  ASSERT_TRUE(LoadSoilReadingsFile(file_, true).problem);
  EXPECT_EQ(LoadSoilReadingsFile(file_, true).problem->kind, Kind::kMissing);

  testing::WriteBytes(file_, Utf8(u"記述,読み替え\r\n粘性土,粘土\r\n"));
  const SoilReadingsTable table = LoadSoilReadingsFile(file_, true);
  ASSERT_FALSE(table.problem);
  EXPECT_EQ(Readings(table.readings, {u"粘性土"}), std::vector<std::u16string>{u"粘土"});

  std::string large = Utf8(u"記述,読み替え\r\n");
  large.resize(kSoilReadingsMaxBytes + 1, ' ');
  testing::WriteBytes(file_, large);
  ASSERT_TRUE(LoadSoilReadingsFile(file_, false).problem);
  EXPECT_EQ(LoadSoilReadingsFile(file_, false).problem->kind, Kind::kTooLarge);
  large.resize(kSoilReadingsMaxBytes);
  testing::WriteBytes(file_, large);
  EXPECT_FALSE(LoadSoilReadingsFile(file_, false).problem);

  fs::remove(file_);
  fs::create_directories(file_);
  ASSERT_TRUE(LoadSoilReadingsFile(file_, false).problem);
  EXPECT_EQ(LoadSoilReadingsFile(file_, false).problem->kind, Kind::kNotAFile);
  fs::remove(file_);
  if (testing::MakeFifo(file_)) {
    ASSERT_TRUE(LoadSoilReadingsFile(file_, false).problem);
    EXPECT_EQ(LoadSoilReadingsFile(file_, false).problem->kind, Kind::kNotAFile);
  }
}

TEST_F(SoilReadingsFile, TheSettingsFolderHoldsItBesideDrivesConf) {
  testing::SetUserConfigRoot(machine_.root() / "config");
  EXPECT_EQ(SettingsSoilReadingsFile(), machine_.root() / "config" / "qe2m4" / "soil-readings.csv");
}

TEST(SoilReadingsMessage, TellsTheWindowUserWhyTheRunDidNotStart) {
  const fs::path file = fs::path("config") / "soil-readings.csv";
  const std::u16string first = u"土質名の読み替え表を使えないため、変換しませんでした。\n" +
                               platform::PathText(file) + u"\n";
  SoilReadingsProblem two_readings;
  two_readings.kind = Kind::kTwoReadings;
  two_readings.lines = {3, 7};
  EXPECT_EQ(SoilReadingsProblemMessage(two_readings, file),
            first + u"3 行目、7 行目：同じ記述に異なる読み替えがあります。");
  SoilReadingsProblem no_column;
  no_column.kind = Kind::kNoColumn;
  no_column.lines = {1};
  no_column.column = u"読み替え";
  EXPECT_EQ(SoilReadingsProblemMessage(no_column, file),
            first + u"1 行目：見出し行に「読み替え」の列がありません。");
  SoilReadingsProblem bad_text;
  bad_text.kind = Kind::kBadText;
  bad_text.lines = {4};
  bad_text.encoding = "CP932";
  EXPECT_EQ(SoilReadingsProblemMessage(bad_text, file),
            first + u"4 行目：CP932 の文字として読めない行です。");
  SoilReadingsProblem unreadable;
  unreadable.kind = Kind::kUnreadable;
  unreadable.cause = platform::ErrorCause::kAccessDenied;
  EXPECT_EQ(SoilReadingsProblemMessage(unreadable, file), first + u"アクセスが拒否されました。");
  unreadable.cause = platform::ErrorCause::kUnknown;
  unreadable.reason = "Stale file handle";
  EXPECT_EQ(SoilReadingsProblemMessage(unreadable, file),
            first + u"ファイルを読み込めません。\nStale file handle");
}

TEST(RunNotice, SaysNothingWhenThereIsNothingToSay) {
  ConversionReport report;
  report.files = {{u"N1.txt", 13}};
  EXPECT_EQ(RunNotice(report), std::nullopt);
}

TEST(RunNotice, ListsOutputsNotWrittenLayersWithoutAMainSoilAndTheLayersRead) {
  ConversionReport report;
  report.not_written = {{u"N6.txt", NotWrittenFile::Reason::kNoPatdatIni, u""}};
  EXPECT_EQ(RunNotice(report),
            u"書き込まなかったファイル：\n"
            u"  N6.txt: Patdat32.ini がないか空のため、X6.TXT のデータは変換されませんでした。");

  report.not_written = {
      {u"N6.txt", NotWrittenFile::Reason::kPatdatIniIgnored, u"C:\\WINDOWS\\Patdat32.ini"}};
  report.unmatched_layers = {{4, u"粘板岩"}, {9, u"花崗岩"}};
  report.read_layers = {{2, u"粘性土", u"粘土"}, {9, u"花崗岩", u"岩"}, {11, u"耕作土", u"表土"}};
  EXPECT_EQ(RunNotice(report),
            u"書き込まなかったファイル：\n"
            u"  N6.txt: Patdat32.ini が通常のファイルでないか 1 MB を超えるため読まず、X6.TXT "
            u"のデータは変換されませんでした。 (C:\\WINDOWS\\Patdat32.ini)\n"
            u"主な土質が見つからなかった層の記述（X1.TXT の記録番号）：\n"
            u"  4: 粘板岩\n"
            u"  9: 花崗岩 → 岩\n"
            u"土質名の読み替え表で読み替えた層：3 層");

  report.not_written.clear();
  report.unmatched_layers.clear();
  EXPECT_EQ(RunNotice(report), u"土質名の読み替え表で読み替えた層：3 層");
}

TEST(RunNotice, ALongListEndsInHowManyWereLeftOut) {
  ConversionReport report;
  report.not_written = {{u"N6.txt", NotWrittenFile::Reason::kNoPatdatIni, u""}};
  report.read_layers = {{1, u"粘性土", u"粘土"}};
  for (int count : {16, 17, 40}) {
    SCOPED_TRACE(count);
    report.unmatched_layers.clear();
    for (int i = 1; i <= count; ++i) {
      report.unmatched_layers.push_back({i + 1, u"粘板岩"});
    }
    const std::u16string notice = RunNotice(report).value();
    std::vector<std::u16string> lines(1);
    for (const char16_t c : notice) {
      if (c == u'\n') {
        lines.emplace_back();
      } else {
        lines.back().push_back(c);
      }
    }
    // Two lines for N6.txt, the list's header, the layers, the count of layers read.
    const std::size_t all = 2 + 1 + static_cast<std::size_t>(count) + 1;
    EXPECT_EQ(lines.size(), std::min(all, kNoticeMaxLines));
    EXPECT_EQ(lines.back(), u"土質名の読み替え表で読み替えた層：1 層");
    if (all <= kNoticeMaxLines) {
      EXPECT_EQ(lines[lines.size() - 2],
                u"  " + platform::FromUtf8(std::to_string(count + 1)) + u": 粘板岩");
    } else {
      const int shown = static_cast<int>(kNoticeMaxLines) - 5;
      EXPECT_EQ(lines[lines.size() - 3],
                u"  " + platform::FromUtf8(std::to_string(shown + 1)) + u": 粘板岩");
      EXPECT_EQ(lines[lines.size() - 2],
                u"  ほか " + platform::FromUtf8(std::to_string(count - shown)) + u" 件");
    }
  }
}

// The example table: usable as it is, every reading finds a main soil, and its third column
// gives the code N1.txt gets for the reading.
TEST(ExampleSoilReadings, ReadsEveryDescriptionAsASoilOfTheCodeItNames) {
  const fs::path file = fs::path(QE2M4_EXAMPLES_DIR) / "soil-readings.csv";
  const SoilReadingsTable table = LoadSoilReadingsFile(file, true);
  ASSERT_FALSE(table.problem);
  EXPECT_TRUE(table.warnings.empty());
  EXPECT_GE(table.readings.size(), 20u);

  const common::DecodedText decoded =
      common::DecodeUserText(testing::ReadBytes(file), std::nullopt);
  std::size_t checked = 0;
  std::size_t start = decoded.text.find(u"記述,読み替え,");
  ASSERT_NE(start, std::u16string::npos);
  start = decoded.text.find(u'\n', start) + 1;
  while (start < decoded.text.size()) {
    const std::size_t end = decoded.text.find(u"\r\n", start);
    const auto cells = common::SplitCsvLine(decoded.text.substr(start, end - start));
    start = end + 2;
    ASSERT_TRUE(cells && cells->size() == 3);
    SCOPED_TRACE(Utf8((*cells)[0]));
    EXPECT_EQ(*table.readings.Find((*cells)[0]), (*cells)[1]);
    EXPECT_EQ(CombinedTargetCode(ClassifySoilName((*cells)[1])), (*cells)[2]);
    ++checked;
  }
  EXPECT_EQ(checked, table.readings.size());
  // Common descriptions that find no main soil by themselves are among them.
  for (const std::u16string_view description :
       {u"粘性土", u"礫混り粘性土", u"花崗岩", u"耕作土", u"崖錐堆積物", u"腐植層"}) {
    EXPECT_FALSE(ClassifySoilName(description).mainFound) << Utf8(description);
    EXPECT_NE(table.readings.Find(description), nullptr) << Utf8(description);
  }
}

}  // namespace
}  // namespace qe2m4::app
