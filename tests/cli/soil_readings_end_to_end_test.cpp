// The table of soil readings on the command line: where it comes from, what the summary and the
// batch's report say of it, and the round trip from a batch's soil table back into a run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/texts.h"
#include "cli_text.h"
#include "common/csv_line.h"
#include "platform/cp932.h"
#include "process.h"
#include "sample_drives.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

class SoilReadings : public SampleDrives {
 protected:
  fs::path SettingsTable() const {
    return machine_.root() / "config" / "qe2m4" / "soil-readings.csv";
  }

  // The last line of N1.txt in a destination folder.
  std::string LastLayer(const fs::path& folder) const {
    const std::string n1 = ReadBytes(folder / "N1.txt");
    return n1.substr(n1.rfind('\n', n1.size() - 2) + 1);
  }
};

TEST_F(SoilReadings, ConvertUsesTheSettingsFoldersTableUnlessTheCommandNamesAnotherOrNone) {
  WriteBytes(SettingsTable(), Utf8(u"記述,読み替え\r\n粘板岩,硬岩\r\n表土, 表土 \r\n"));
  const fs::path out = d_ / "OUT";
  const ProcessResult read = Run({"convert", "--yes", "S:\\BORING1", "D:\\OUT"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  EXPECT_EQ(read.err, "");
  // The layers read, before (here instead of) those still without a main soil.
  EXPECT_NE(read.out.find(Utf8(u"N7.txt         5 行\n"
                               u"土質名の読み替え表で読み替えた層（X1.TXT の記録番号）：\n"
                               u"  1: 表土 → 表土\n"
                               u"  13: 粘板岩 → 硬岩\n"
                               u"変換が正常に終了しました。\n")),
            std::string::npos)
      << read.out;
  EXPECT_EQ(read.out.find(Utf8(app::texts::kSummaryUnmatched)), std::string::npos);
  EXPECT_EQ(LastLayer(out), " 13,  20.00,091,000\r\n");

  // Another table, named on the command line, with a reading that finds no main soil.
  const fs::path other = work_ / u"読み替え.csv";
  WriteBytes(other, Sjis(u"# 事務所の表\r\n記述,読み替え\r\n粘板岩,岩\r\n"));
  const ProcessResult named =
      Run({"convert", "--soil-readings", HostText(other), "S:\\BORING1", "D:\\OUT"});
  ASSERT_EQ(named.exit_code, 0) << named.err;
  EXPECT_EQ(named.err, "qe2m4: " + HostText(other) + Utf8(u":3: warning: the reading 岩") +
                           " finds no main soil; the layers it reads stay without one\n");
  EXPECT_NE(named.out.find(Utf8(u"土質名の読み替え表で読み替えた層（X1.TXT の記録番号）：\n"
                                u"  13: 粘板岩 → 岩\n"
                                u"主な土質が見つからなかった層の記述（X1.TXT の記録番号）：\n"
                                u"  13: 粘板岩\n")),
            std::string::npos)
      << named.out;
  EXPECT_EQ(LastLayer(out), " 13,  20.00,000,000\r\n");

  // None at all: the run writes what it writes without any table.
  const ProcessResult none = Run({"convert", "--no-soil-readings", "S:\\BORING1", "D:\\OUT"});
  ASSERT_EQ(none.exit_code, 0) << none.err;
  EXPECT_EQ(none.out.find(Utf8(app::texts::kSummaryRead)), std::string::npos);
  const auto without = Snapshot(out);
  fs::remove(SettingsTable());
  ASSERT_EQ(Run({"convert", "S:\\BORING1", "D:\\OUT"}).exit_code, 0);
  EXPECT_EQ(Snapshot(out), without);
}

TEST_F(SoilReadings, ATableThatCannotBeUsedConvertsNothing) {
  const std::string table = HostText(SettingsTable());
  const std::string missing = HostText(work_ / "missing.csv");
  const struct {
    const char* name;
    std::string bytes;  // the settings folder's table
    std::vector<std::string> options;
    std::string message;
  } cases[] = {
      {"a named table that is not there",
       "",
       {"--soil-readings", missing},
       missing + ": no such file"},
      {"two readings of one description",
       Utf8(u"記述,読み替え\n粘板岩,硬岩\n\n粘板岩,軟岩\n"),
       {},
       table + ":2,4: one description with two different readings"},
      {"no column 読み替え",
       Utf8(u"記述,読替\n"),
       {},
       table + Utf8(u":1: the header row has no column 読み替え")},
      {"not UTF-8 after its BOM",
       "\xEF\xBB\xBF" + Utf8(u"記述,読み替え\n") + "\xFF\n",
       {},
       table + ":2: not valid UTF-8 text"},
      {"a folder",
       "",
       {"--soil-readings", HostText(work_)},
       HostText(work_) + ": not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(SettingsTable());
    if (!c.bytes.empty()) {
      WriteBytes(SettingsTable(), c.bytes);
    }
    for (const char* command : {"convert", "batch"}) {
      SCOPED_TRACE(command);
      std::vector<std::string> arguments = {command, "--yes"};
      arguments.insert(arguments.end(), c.options.begin(), c.options.end());
      if (std::string(command) == "convert") {
        arguments.insert(arguments.end(), {"S:\\BORING1", "D:\\OUT"});
      } else {
        WriteBytes(work_ / "list.csv", "S:\\BORING1,D:\\OUT\r\n");
        arguments.push_back("list.csv");
      }
      const ProcessResult result = Run(arguments);
      EXPECT_EQ(result.exit_code, 2);
      EXPECT_EQ(result.err,
                "qe2m4: " + c.message + "\n" +
                    (std::string(command) == "batch" ? "qe2m4: nothing converted\n" : ""));
      EXPECT_EQ(result.out, "");
      EXPECT_TRUE(fs::is_empty(d_));
      EXPECT_FALSE(fs::exists(work_ / "qe2m4-report.csv"));
    }
  }
  const ProcessResult both =
      Run({"convert", "--soil-readings", missing, "--no-soil-readings", "S:\\BORING1", "D:\\OUT"});
  EXPECT_EQ(both.exit_code, 2);
  EXPECT_NE(both.err.find("--soil-readings and --no-soil-readings cannot be given together"),
            std::string::npos)
      << both.err;
}

// The batch's soil table, its column 読み替え filled in a spreadsheet and saved (here as CP932,
// as spreadsheets save CSV on Japanese Windows), serves as the next batch's table: the layers
// it reads find their soil, and its own soil table carries the readings on.
TEST_F(SoilReadings, ABatchsSoilTableFilledInClassifiesItsLayersInTheNextRun) {
  // Two borings of the sample with two more layers that find no main soil.
  for (const char* name : {"A", "B"}) {
    fs::copy(s_ / "BORING1", s_ / name, fs::copy_options::recursive);
    WriteBytes(s_ / name / "X1.TXT", ReadBytes(s_ / "BORING1" / "X1.TXT") +
                                         Sjis(u"14,21.00,灰,粘性土\r\n15,22.50,灰,花崗岩\r\n"));
  }
  WriteBytes(work_ / "list.csv", "S:\\A,D:\\TYUJYOU\\A\r\nS:\\B,D:\\TYUJYOU\\B\r\n");

  const ProcessResult first = Run({"batch", "--yes", "--report", "first.csv", "list.csv"});
  ASSERT_EQ(first.exit_code, 0) << first.err;
  EXPECT_EQ(ReadBytes(work_ / "first-soil.csv"),
            "\xEF\xBB\xBF" + Utf8(u"記述,回数,ボーリング数,読み替え\r\n"
                                  u"粘性土,2,2,\r\n粘板岩,2,2,\r\n花崗岩,2,2,\r\n"));

  // Filled in: 粘板岩 and 粘性土; 花崗岩 left for later.
  std::u16string filled;
  const std::map<std::u16string, std::u16string> readings = {{u"粘板岩", u"硬岩"},
                                                             {u"粘性土", u"粘土"}};
  const std::string soil = ReadBytes(work_ / "first-soil.csv").substr(3);
  for (std::size_t start = 0; start < soil.size();) {
    const std::size_t end = soil.find("\r\n", start);
    const std::u16string line = platform::FromUtf8(soil.substr(start, end - start));
    start = end + 2;
    const auto cells = common::SplitCsvLine(line);
    ASSERT_TRUE(cells && cells->size() == 4);
    const auto reading = readings.find((*cells)[0]);
    filled += line + (reading != readings.end() ? reading->second : u"") + u"\r\n";
  }
  WriteBytes(work_ / "filled.csv", Sjis(filled));

  const ProcessResult second = Run(
      {"batch", "--yes", "--report", "second.csv", "--soil-readings", "filled.csv", "list.csv"});
  ASSERT_EQ(second.exit_code, 0) << second.err;
  EXPECT_EQ(second.err.find("warning"), std::string::npos) << second.err;
  for (const char* name : {"A", "B"}) {
    const std::string n1 = ReadBytes(d_ / "TYUJYOU" / name / "N1.txt");
    EXPECT_NE(n1.find(" 13,  20.00,091,000\r\n 14,  21.00,600,000\r\n 15,  22.50,000,000\r\n"),
              std::string::npos)
        << n1;
  }
  const std::string report = ReadBytes(work_ / "second.csv");
  EXPECT_NE(report.find(Utf8(u",変換済,,16,151,15: 花崗岩,2\r\n")), std::string::npos) << report;
  EXPECT_NE(second.out.find(Utf8(u"土質名の読み替え表で読み替えた層：4 層\n")), std::string::npos)
      << second.out;
  const std::string carried_on =
      "\xEF\xBB\xBF" + Utf8(
                           u"記述,回数,ボーリング数,読み替え\r\n"
                           u"粘性土,2,2,粘土\r\n粘板岩,2,2,硬岩\r\n花崗岩,2,2,\r\n");
  EXPECT_EQ(ReadBytes(work_ / "second-soil.csv"), carried_on);

  // The new soil table, passed back as it is, reads the same layers again.
  const auto converted = Snapshot(d_);
  const ProcessResult third = Run({"batch", "--yes", "--report", "third.csv", "--soil-readings",
                                   "second-soil.csv", "list.csv"});
  ASSERT_EQ(third.exit_code, 0) << third.err;
  EXPECT_EQ(Snapshot(d_), converted);
  EXPECT_EQ(ReadBytes(work_ / "third-soil.csv"), carried_on);
}

}  // namespace
}  // namespace qe2m4::testing
