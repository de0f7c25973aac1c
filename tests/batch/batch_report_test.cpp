#include "batch/batch_report.h"

#include <gtest/gtest.h>

#include "app/texts.h"
#include "batch/batch_summary.h"
#include "batch/csv_fields.h"
#include "platform/error.h"
#include "platform/utf8.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;
using Table = std::vector<std::vector<std::string>>;

// Reads CSV as a spreadsheet does: quoted cells may hold commas, doubled quotes and line ends;
// rows end with CR LF.
Table ReadCsv(const std::string& text) {
  Table rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        rows.back().back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        rows.back().back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  if (rows.back() == std::vector<std::string>(1)) {
    rows.pop_back();
  }
  return rows;
}

std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

// The file's rows after its BOM, which must be there.
Table ReadReport(const fs::path& path) {
  const std::string bytes = testing::ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << path;
  return ReadCsv(bytes.substr(3));
}

BoringResult Result(BoringOutcome outcome, std::vector<std::u16string> messages, std::int64_t files,
                    std::int64_t lines, std::vector<UnmatchedLayer> unmatched = {}) {
  return {outcome, std::move(messages), files, lines, std::move(unmatched), {}};
}

TEST(BatchReport, OneRowPerBoringInListOrderAndTheDescriptionsMostFrequentFirst) {
  testing::TempMachine machine;
  const fs::path path = machine.root() / "out" / "report.csv";
  fs::create_directories(path.parent_path());
  const std::vector<BatchEntry> entries = {
      {2, u"S:\\A", u"D:\\T\\A"}, {3, u"S:\\B,1", u"D:\\T\\B"}, {5, u"S:\\C", u"D:\\T\\C"},
      {6, u"S:\\D", u"D:\\T\\D"}, {9, u"S:\\E", u"D:\\T\\E"},
  };
  {
    BatchReport report(path, entries);
    // The borings finish out of order; the last never starts.
    report.Add(2, Result(BoringOutcome::kFailed,
                         {u"S:\\C\\: 変換中にエラーが発生しました。 ファイルを書き込めません。"}, 3,
                         30, {{4, u"粘板岩"}}));
    EXPECT_FALSE(fs::exists(path));
    report.Add(0, Result(BoringOutcome::kConverted, {}, 16, 147,
                         {{13, u"粘板岩"}, {14, u"粘板岩"}, {2, u"\"泥岩\", 風化"}}));
    report.Add(1, Result(BoringOutcome::kRefused,
                         {u"ﾌｫﾙﾀﾞがありません。新規作成しますか？ いいえ", u"second"}, 0, 0));
    report.Add(3, Result(BoringOutcome::kConverted, {}, 16, 150, {{1, u"\"泥岩\", 風化"}}));
    report.Finish();
    EXPECT_EQ(report.totals().converted, 2);
    EXPECT_EQ(report.totals().refused, 1);
    EXPECT_EQ(report.totals().failed, 1);
    EXPECT_EQ(report.totals().not_run, 1);
    EXPECT_EQ(report.totals().files, 35);
    EXPECT_EQ(report.totals().lines, 327);

    const std::vector<std::u16string> summary = SummaryLines(report, path);
    ASSERT_EQ(summary.size(), 6u);
    EXPECT_EQ(summary[0], u"変換済 2、拒否 1、エラー 1、未実行 1（5 件）");
    EXPECT_EQ(summary[1], u"書き込んだファイル 35、行 327");
    EXPECT_EQ(summary[3], u"      3      2  粘板岩");
    EXPECT_EQ(summary[4], u"      2      2  \"泥岩\", 風化");
    // A batch of a list says which list it read and in which encoding, before the report.
    const std::vector<std::u16string> of_list =
        SummaryLines(report, path, ListSource{fs::path(u"一覧.csv"), common::TextEncoding::kCp932});
    ASSERT_EQ(of_list.size(), 7u);
    EXPECT_EQ(of_list[5], u"一覧：一覧.csv（CP932）");
    EXPECT_EQ(of_list[6], summary[5]);
  }

  const Table rows = ReadReport(path);
  const Table expected = {
      {"行", "変換元", "変換先", "結果", "メッセージ", "書き込んだファイル数", "書き込んだ行数",
       "主な土質が見つからなかった層の記述", "読み替えた層の数"},
      {"2", "S:\\A", "D:\\T\\A", "変換済", "", "16", "147",
       "13: 粘板岩\n14: 粘板岩\n2: \"泥岩\", 風化", "0"},
      {"3", "S:\\B,1", "D:\\T\\B", "拒否", "ﾌｫﾙﾀﾞがありません。新規作成しますか？ いいえ\nsecond",
       "0", "0", "", "0"},
      {"5", "S:\\C", "D:\\T\\C", "エラー",
       "S:\\C\\: 変換中にエラーが発生しました。 ファイルを書き込めません。", "3", "30", "4: 粘板岩",
       "0"},
      {"6", "S:\\D", "D:\\T\\D", "変換済", "", "16", "150", "1: \"泥岩\", 風化", "0"},
      {"9", "S:\\E", "D:\\T\\E", "未実行", "", "0", "0", "", "0"},
  };
  EXPECT_EQ(rows, expected);

  ASSERT_EQ(BatchReport::SoilTablePath(path), machine.root() / "out" / "report-soil.csv");
  const Table soil = ReadReport(machine.root() / "out" / "report-soil.csv");
  const Table expected_soil = {
      {"記述", "回数", "ボーリング数", "読み替え"},
      {"粘板岩", "3", "2", ""},
      {"\"泥岩\", 風化", "2", "2", ""},
  };
  EXPECT_EQ(soil, expected_soil);
  EXPECT_EQ(rows[0].size(), 9u);
  EXPECT_EQ(Utf8(app::texts::kReportColumns).find("行,変換元,"), 0u);
}

TEST(SpreadsheetText, ATextASpreadsheetWouldTakeForAFormulaGetsTheTextMark) {
  const struct {
    std::u16string_view text;
    std::u16string_view cell;
  } cases[] = {
      {u"=1+2", u"'=1+2"},
      {u"+1+2", u"'+1+2"},
      {u"-1+2", u"'-1+2"},
      {u"@SUM(A1:A2)", u"'@SUM(A1:A2)"},
      {u"=HYPERLINK(\"http://x\",\"y\")", u"'=HYPERLINK(\"http://x\",\"y\")"},
      {u"\t=1", u"'\t=1"},
      {u"\r=1", u"'\r=1"},
      {u"\n=1", u"'\n=1"},
      {u"   =1+2", u"'   =1+2"},  // spreadsheets that drop leading blanks
      {u" \t1", u"' \t1"},
      // A text of the archive that looks like a number stays the text it is ("-1.50", not -1.5).
      {u"-1.50", u"'-1.50"},
      {u"粘板岩", u"粘板岩"},
      {u"13: =1+2", u"13: =1+2"},
      {u"1-2", u"1-2"},
      {u"S:\\=X", u"S:\\=X"},
      {u"'=1", u"'=1"},
      {u"＝1+2", u"＝1+2"},  // full width: a text to every spreadsheet
      {u"", u""},
      {u"   ", u"   "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SpreadsheetText(c.text), c.cell) << Utf8(c.text);
  }
}

// Paths, messages and descriptions that a spreadsheet would evaluate stay texts in both files;
// the counts stay numbers, and every character of the texts is kept.
TEST(BatchReport, NoCellOfArchiveTextIsAFormula) {
  testing::TempMachine machine;
  const fs::path path = machine.root() / "r.csv";
  const std::vector<BatchEntry> entries = {{1, u"=S:\\A", u"@D:\\A"}, {2, u"S:\\B", u"D:\\B"}};
  {
    BatchReport report(path, entries);
    report.Add(0, Result(BoringOutcome::kFailed, {u"-1+2: message", u"=second"}, 0, 0));
    report.Add(1, Result(BoringOutcome::kConverted, {}, 16, 147,
                         {{1, u"=1+2"},
                          {2, u"+1+2"},
                          {3, u"-1.5"},
                          {4, u"@SUM(A1:A2)"},
                          {5, u"\t=HYPERLINK(\"http://x\",\"y\")"},
                          {6, u"粘板岩"}}));
    report.Finish();
  }
  const Table rows = ReadReport(path);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "'=S:\\A", "'@D:\\A", "エラー",
                                               "'-1+2: message\n=second", "0", "0", "", "0"}));
  EXPECT_EQ(rows[2][7],
            "1: =1+2\n2: +1+2\n3: -1.5\n4: @SUM(A1:A2)\n5: \t=HYPERLINK(\"http://x\",\"y\")\n"
            "6: 粘板岩");
  const Table soil = ReadReport(BatchReport::SoilTablePath(path));
  const Table expected_soil = {
      {"記述", "回数", "ボーリング数", "読み替え"},
      {"'\t=HYPERLINK(\"http://x\",\"y\")", "1", "1", ""},
      {"'+1+2", "1", "1", ""},
      {"'-1.5", "1", "1", ""},
      {"'=1+2", "1", "1", ""},
      {"'@SUM(A1:A2)", "1", "1", ""},
      {"粘板岩", "1", "1", ""},
  };
  EXPECT_EQ(soil, expected_soil);
}

// The soil table is a table of soil readings: the descriptions read keep their rows and
// readings, so that the file passed back reads them again; those still without a main soil
// show the reading that did not find one.
TEST(BatchReport, TheSoilTableHoldsTheDescriptionsReadWithTheirReadings) {
  testing::TempMachine machine;
  const fs::path path = machine.root() / "report.csv";
  const std::vector<BatchEntry> entries = {{1, u"S:\\A", u"D:\\A"}, {2, u"S:\\B", u"D:\\B"}};
  {
    BatchReport report(path, entries);
    BoringResult a = Result(BoringOutcome::kConverted, {}, 16, 100, {{5, u"花崗岩"}, {7, u"頁岩"}});
    a.read_layers = {{2, u"粘性土", u"粘土"}, {3, u"粘性土", u"粘土"}, {5, u"花崗岩", u"岩"}};
    BoringResult b = Result(BoringOutcome::kConverted, {}, 16, 90, {{1, u"花崗岩"}});
    b.read_layers = {{1, u"花崗岩", u"岩"}, {4, u"=1+2", u"砂"}};
    report.Add(0, a);
    report.Add(1, b);
    report.Finish();
    EXPECT_EQ(report.totals().read_layers, 5);
    const std::vector<std::u16string> summary = SummaryLines(report, path);
    ASSERT_GE(summary.size(), 3u);
    EXPECT_EQ(summary[2], u"土質名の読み替え表で読み替えた層：5 層");
    // The most frequent descriptions without a main soil are still those alone.
    EXPECT_EQ(summary[3], u"主な土質が見つからなかった層の記述（回数、ボーリング数）：2 種類");
  }
  const Table rows = ReadReport(path);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].back(), "3");
  EXPECT_EQ(rows[2].back(), "2");
  const Table soil = ReadReport(BatchReport::SoilTablePath(path));
  ASSERT_GE(soil.size(), 1u);
  EXPECT_EQ(soil[0], (std::vector<std::string>{"記述", "回数", "ボーリング数", "読み替え"}));
  // A description a spreadsheet would take for a formula keeps the text mark; the reading stays.
  const Table data(soil.begin() + 1, soil.end());
  const Table expected = {
      {"花崗岩", "2", "2", "岩"},
      {"粘性土", "2", "1", "粘土"},
      {"'=1+2", "1", "1", "砂"},
      {"頁岩", "1", "1", ""},
  };
  EXPECT_EQ(data, expected);
}

TEST(BatchReport, SoilTableNamesFollowTheReport) {
  EXPECT_EQ(BatchReport::SoilTablePath("qe2m4-report.csv"), fs::path("qe2m4-report-soil.csv"));
  EXPECT_EQ(BatchReport::SoilTablePath("/x/run.CSV"), fs::path("/x/run-soil.csv"));
  EXPECT_EQ(BatchReport::SoilTablePath("/x/run"), fs::path("/x/run-soil.csv"));
}

TEST(BatchReport, AReportThatCannotBeCreatedThrowsBeforeAnythingRuns) {
  testing::TempMachine machine;
  const std::vector<BatchEntry> entries;
  EXPECT_THROW(BatchReport(machine.root() / "missing" / "r.csv", entries), platform::Error);
  fs::create_directories(machine.root() / "r.csv");
  EXPECT_THROW(BatchReport(machine.root() / "r.csv", entries), platform::Error);
}

}  // namespace
}  // namespace qe2m4::batch
