// "qe2m4 batch" started as a process on temporary drives.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "app/texts.h"
#include "cli_text.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "process.h"
#include "report_rows.h"
#include "sample_drives.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

// The report's rows, from a report that starts with a BOM.
std::vector<std::vector<std::string>> RowsAfterBom(const fs::path& path) {
  EXPECT_EQ(ReadBytes(path).substr(0, 3), "\xEF\xBB\xBF");
  return ReportRows(path);
}

class Batch : public SampleDrives {
 protected:
  // A list of the sample boring into count destinations D:\TYUJYOU\A<n>\B\C.
  fs::path SampleList(int count) const {
    std::string list = "# the sample, again and again\r\n";
    for (int i = 1; i <= count; ++i) {
      list += "S:\\BORING1,D:\\TYUJYOU\\A" + std::to_string(i) + "\\B\\C\r\n";
    }
    const fs::path path = work_ / "list.csv";
    WriteBytes(path, list);
    return path;
  }
};

TEST_F(Batch, WritesWhatSingleConvertRunsWriteByteForByte) {
  constexpr int kCount = 50;
  const fs::path list = SampleList(kCount);
  for (int i = 1; i <= kCount; ++i) {
    const ProcessResult result = Run({"convert", "--yes", "--quiet", "S:\\BORING1",
                                      "D:\\TYUJYOU\\A" + std::to_string(i) + "\\B\\C"});
    ASSERT_EQ(result.exit_code, 0) << result.err;
  }
  const auto expected = Snapshot(d_);
  ASSERT_EQ(expected.size(), kCount * (16 + 3) + 1u);

  for (const char* jobs : {"1", "4"}) {
    fs::remove_all(d_);
    fs::create_directories(d_);
    const ProcessResult result = Run({"batch", "--yes", "--jobs", jobs, HostText(list)});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(Snapshot(d_), expected) << "--jobs " << jobs;
    // Not a terminal: one plain line per boring.
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), kCount) << result.err;
    EXPECT_NE(result.out.find(Utf8(u"変換済 50、拒否 0、エラー 0、未実行 0（50 件）\n")),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find(Utf8(u"     50     50  粘板岩\n")), std::string::npos);

    const auto rows = RowsAfterBom(work_ / "list-report.csv");
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) {
      const std::vector<std::string> expected_row = {
          std::to_string(i + 2),
          "S:\\BORING1",
          "D:\\TYUJYOU\\A" + std::to_string(i + 1) + "\\B\\C",
          Utf8(app::texts::kBatchConverted),
          "",
          "16",
          "147",
          Utf8(u"13: 粘板岩"),
          "0"};
      EXPECT_EQ(rows[i], expected_row);
    }
  }
}

TEST_F(Batch, TreeConvertsEveryBoringOfAnArchiveIntoTheSameLevels) {
  for (const char* level : {"ARCHIVE/A1234/B/C", "ARCHIVE/A1234/B/C/D", "ARCHIVE/K99"}) {
    fs::create_directories((s_ / level).parent_path());
    fs::copy(s_ / "BORING1", s_ / level, fs::copy_options::recursive);
  }
  fs::create_directories(s_ / "ARCHIVE" / "A1234" / "EMPTY");
  const ProcessResult result =
      Run({"batch", "--yes", "--report", "tree.csv", "--tree", "S:\\ARCHIVE", "D:\\TYUJYOU"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const auto rows = RowsAfterBom(work_ / "tree.csv");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][2], "D:\\TYUJYOU\\A1234\\B\\C");
  EXPECT_EQ(rows[1][2], "D:\\TYUJYOU\\A1234\\B\\C\\D");
  EXPECT_EQ(rows[2][2], "D:\\TYUJYOU\\K99");
  // The destination's levels come from the source tree.
  EXPECT_EQ(ReadBytes(d_ / "TYUJYOU" / "A1234" / "B" / "C" / "CNT.TXT"),
            "A1\r\nB\r\nC\r\n\r\n12\r\n3\r\n");
  EXPECT_EQ(ReadBytes(d_ / "TYUJYOU" / "K99" / "CNT.TXT"), "K9\r\n\r\n\r\n\r\n12\r\n3\r\n");
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "A1234" / "EMPTY"));
  EXPECT_TRUE(fs::is_regular_file(work_ / "tree-soil.csv"));
}

// Folder names in Japanese, as archives have them: found, converted and named in the report,
// its table of descriptions and the summary exactly, the report files under Japanese names.
TEST_F(Batch, AnArchiveWithJapaneseNamesIsConvertedAndReportedExactly) {
  for (const fs::path& level : {fs::path(u"アーカイブ") / u"現場Ａ" / u"孔１",
                                fs::path(u"アーカイブ") / u"現場Ａ" / u"孔２" / u"深度表"}) {
    fs::create_directories((s_ / level).parent_path());
    fs::copy(s_ / "BORING1", s_ / level, fs::copy_options::recursive);
  }
  const ProcessResult result = Run({"batch", "--yes", "--jobs", "1", "--report", Utf8(u"報告.csv"),
                                    "--tree", Utf8(u"S:\\アーカイブ"), "D:\\TYUJYOU"});
  ASSERT_EQ(result.exit_code, 0) << result.err;

  const std::u16string report =
      std::u16string(app::texts::kReportColumns) + u"\r\n" +
      u"1,S:\\アーカイブ\\現場Ａ\\孔１,D:\\TYUJYOU\\現場Ａ\\孔１,変換済,,16,147,13: 粘板岩,0\r\n" +
      u"2,S:\\アーカイブ\\現場Ａ\\孔２\\深度表,D:\\TYUJYOU\\現場Ａ\\孔２\\深度表,変換済,,16,147,"
      u"13: 粘板岩,0\r\n";
  EXPECT_EQ(ReadBytes(work_ / u"報告.csv"), "\xEF\xBB\xBF" + Utf8(report));
  EXPECT_EQ(
      ReadBytes(work_ / u"報告-soil.csv"),
      "\xEF\xBB\xBF" + Utf8(std::u16string(app::texts::kSoilColumns) + u"\r\n粘板岩,2,2,\r\n"));
  for (const fs::path& level :
       {fs::path(u"現場Ａ") / u"孔１", fs::path(u"現場Ａ") / u"孔２" / u"深度表"}) {
    EXPECT_EQ(Snapshot(d_ / "TYUJYOU" / level).size(), 16u) << HostText(level);
  }

  // Not a terminal: one plain line per boring, then the summary, in the stream's own encoding.
  const std::string progress = Utf8(
      u"1/2 変換済 S:\\アーカイブ\\現場Ａ\\孔１ → D:\\TYUJYOU\\現場Ａ\\孔１\n"
      u"2/2 変換済 S:\\アーカイブ\\現場Ａ\\孔２\\深度表 → D:\\TYUJYOU\\現場Ａ\\孔２\\深度表\n");
  EXPECT_EQ(result.err, progress);
  const std::u16string last_line = u"報告：報告.csv、報告-soil.csv";
  EXPECT_TRUE(result.out.ends_with(Utf8(last_line) + "\n")) << result.out;
#ifdef _WIN32
  EXPECT_TRUE(result.out_bytes.ends_with(Sjis(last_line) + "\r\n"));
#else
  EXPECT_TRUE(result.out_bytes.ends_with(Utf8(last_line) + "\n"));
#endif
}

TEST_F(Batch, ABoringThatFailsPartWayIsReportedAndTheOthersGoOn) {
  const fs::path list = SampleList(4);
  fs::create_directories(d_ / "TYUJYOU" / "A2" / "B" / "C" / "N4.txt");
  const ProcessResult result = Run({"batch", "--yes", "--jobs", "2", HostText(list)});
  EXPECT_EQ(result.exit_code, 1);
  const auto rows = RowsAfterBom(work_ / "list-report.csv");
  ASSERT_EQ(rows.size(), 4u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][3], Utf8(i == 1 ? app::texts::kBatchFailed : app::texts::kBatchConverted));
  }
  EXPECT_EQ(rows[1][4].substr(0, rows[1][4].find(" D:")),
            Utf8(u"S:\\BORING1\\: " + std::u16string(app::texts::kRunError) + u" " +
                 std::u16string(app::texts::kErrorWrite)));
  EXPECT_NE(rows[1][4].find("D:\\TYUJYOU\\A2\\B\\C\\N4.txt"), std::string::npos);
  EXPECT_NE(result.err.find(Utf8(app::texts::kErrorWrite)), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(d_ / "TYUJYOU" / "A4" / "B" / "C" / "N7.txt"));
  EXPECT_NE(result.out.find(Utf8(u"変換済 3、拒否 0、エラー 1、未実行 0（4 件）")),
            std::string::npos);
}

TEST_F(Batch, ABadListConvertsNothing) {
  const struct {
    const char* list;
    const char* message;  // what standard error names
  } cases[] = {
      {"S:\\BORING1,D:\\A\nS:\\BORING1\n", "list.csv:2: not two paths"},
      {"S:\\BORING1,D:\\A\nS:\\BORING1,D:\\B\n#\nS:\\BORING1,d:\\a\n",
       "list.csv:1,4: one destination"},
      {"S:\\BORING1,D:\\A\nD:\\A,D:\\B\n", "list.csv:1,2: the destination D:\\A is the source"},
      {"\"S:\\BORING1,D:\\A\n", "list.csv:1: a quote"},
  };
  for (const auto& c : cases) {
    WriteBytes(work_ / "list.csv", c.list);
    const ProcessResult result = Run({"batch", "--yes", HostText(work_ / "list.csv")});
    EXPECT_EQ(result.exit_code, 2) << c.list;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(fs::is_empty(d_)) << c.list;
    EXPECT_FALSE(fs::exists(work_ / "list-report.csv"));
  }
  const ProcessResult missing = Run({"batch", HostText(work_ / "none.csv")});
  EXPECT_EQ(missing.exit_code, 2);
  const ProcessResult both = Run({"batch", "x.csv", "--tree", "S:\\", "D:\\"});
  EXPECT_EQ(both.exit_code, 2);
  const ProcessResult neither = Run({"batch"});
  EXPECT_EQ(neither.exit_code, 2);
  EXPECT_NE(neither.err.find("usage: qe2m4 batch"), std::string::npos);
}

TEST_F(Batch, WithoutYesAMissingDestinationRefusesThatBoring) {
  fs::create_directories(d_ / "TYUJYOU" / "A1" / "B" / "C");
  const ProcessResult result = Run({"batch", "--quiet", HostText(SampleList(2))});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, Utf8(u"変換済 1、拒否 1、エラー 0、未実行 0（2 件）\n"));
  const auto rows = RowsAfterBom(work_ / "list-report.csv");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][3], Utf8(app::texts::kBatchRefused));
  EXPECT_EQ(rows[1][4], Utf8(std::u16string(app::texts::kCreateFolders) + u" " +
                             std::u16string(app::texts::kAnsweredNo)));
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "A2"));
}

// Ctrl-C reaches a batch as a POSIX signal here; on Windows a console control event goes to a
// whole console, which a test cannot send to one process of its own.
#ifndef _WIN32
TEST_F(Batch, CtrlCLetsTheRunningBoringsEndAndReportsWhatNeverStarted) {
  constexpr int kCount = 1000;
  const fs::path list = SampleList(kCount);
  // What a whole boring's files are, to compare the files of an interrupted one with.
  ASSERT_EQ(Run({"convert", "--yes", "--quiet", "S:\\BORING1", "D:\\REF"}).exit_code, 0);
  const auto reference = Snapshot(d_ / "REF");
  fs::remove_all(d_ / "REF");

  const std::vector<std::string> arguments = {
      "batch",     "--drive", "S=" + s_.string(), "--drive", "D=" + d_.string(), "--system-dir",
      s_.string(), "--yes",   "--jobs",           "2",       list.string()};
  ChildProcess batch(QE2M4_EXECUTABLE, arguments, work_, Environment());
  // Interrupt once a few borings are done (one line each on standard error).
  for (int waited = 0; waited < 2000; ++waited) {
    const std::string err = batch.ErrorSoFar();
    if (std::count(err.begin(), err.end(), '\n') >= 5) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  batch.Signal(SIGINT);
  const ProcessResult result = batch.Wait();
  EXPECT_EQ(result.exit_code, 130) << result.err;

  // The report adds up: every line has a row, and the rows' results are the summary's counts.
  const auto rows = RowsAfterBom(work_ / "list-report.csv");
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCount));
  std::map<std::string, int> counts;
  for (const auto& row : rows) {
    ++counts[row[3]];
  }
  const int converted = counts[Utf8(app::texts::kBatchConverted)];
  const int failed = counts[Utf8(app::texts::kBatchFailed)];
  const int not_run = counts[Utf8(app::texts::kBatchNotRun)];
  EXPECT_EQ(converted + failed + not_run, kCount);
  EXPECT_GE(converted, 5);
  EXPECT_GT(not_run, 0);
  EXPECT_NE(result.out.find(Utf8(u"変換済 " + platform::FromUtf8(std::to_string(converted)) +
                                 u"、拒否 0、エラー " + platform::FromUtf8(std::to_string(failed)) +
                                 u"、未実行 " + platform::FromUtf8(std::to_string(not_run)))),
            std::string::npos)
      << result.out;

  // No half file anywhere: a converted boring has all its files, an interrupted one some of
  // them whole, one that never started nothing at all; no temporary file is left.
  for (int i = 0; i < kCount; ++i) {
    const fs::path folder = d_ / "TYUJYOU" / ("A" + std::to_string(i + 1)) / "B" / "C";
    const std::string& outcome = rows[i][3];
    if (outcome == Utf8(app::texts::kBatchNotRun)) {
      EXPECT_FALSE(fs::exists(folder) && !fs::is_empty(folder)) << folder;
      continue;
    }
    const auto files = Snapshot(folder);
    if (outcome == Utf8(app::texts::kBatchConverted)) {
      EXPECT_EQ(files.size(), reference.size()) << folder;
    }
    for (const auto& [name, bytes] : files) {
      ASSERT_TRUE(reference.count(name)) << folder / name;
      if (name != "CNT.TXT") {
        EXPECT_EQ(bytes, reference.at(name)) << folder / name;
      }
    }
  }
}

#endif

}  // namespace
}  // namespace qe2m4::testing
