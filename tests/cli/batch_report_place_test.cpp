// Where "qe2m4 batch" writes its report: never over the list, a file of the batch's folders, a
// link or anything but an ordinary file; beside the list by default; one batch per report.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "cli_text.h"
#include "platform/file_lock.h"
#include "platform/temporary_names.h"
#include "process.h"
#include "sample_drives.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

// The working folder holds a list of the sample into D:\TYUJYOU\A<n>\B\C (lines from 2 on).
class ReportPlace : public SampleDrives {
 protected:
  void SetUp() override {
    SampleDrives::SetUp();
    list_ = work_ / "list.csv";
    WriteList(list_, 2);
  }

  static void WriteList(const fs::path& path, int count) {
    std::string list = "# the sample\r\n";
    for (int i = 1; i <= count; ++i) {
      list += "S:\\BORING1,D:\\TYUJYOU\\A" + std::to_string(i) + "\\B\\C\r\n";
    }
    WriteBytes(path, list);
  }

  ProcessResult Run(const std::vector<std::string>& arguments,
                    const fs::path& working_folder = {}) const {
    return RunProcess(QE2M4_EXECUTABLE, Arguments(arguments),
                      working_folder.empty() ? work_ : working_folder, Environment());
  }

  fs::path list_;
};

TEST_F(ReportPlace, AReportThatWouldReplaceWhatItMustNotIsRefusedBeforeAnythingIsConverted) {
  WriteBytes(work_ / "old.csv", "an earlier report\r\n");
  fs::create_directories(d_ / "TYUJYOU" / "A1" / "B" / "C");
  WriteBytes(s_ / "BORING1" / "borings.csv", "S:\\BORING1,D:\\TYUJYOU\\A1\\B\\C\r\n");
  struct Case {
    std::vector<std::string> arguments;
    std::string message;  // what standard error says
    fs::path working_folder = {};
  };
  const std::string list = HostText(list_);
  std::vector<Case> cases = {
      {{"batch", "--yes", "--report", "list.csv", list},
       "qe2m4: the report file list.csv is the list\n"},
      {{"batch", "--yes", "--report", HostText(s_ / "BORING1" / "X1.TXT"), list},
       list + ":2,3: the report " + HostText(s_ / "BORING1" / "X1.TXT") +
           " would be written in the source folder S:\\BORING1\n"},
      {{"batch", "--yes", "--report", HostText(d_ / "TYUJYOU" / "A1" / "B" / "C" / "r.csv"), list},
       list + ":2: the report " + HostText(d_ / "TYUJYOU" / "A1" / "B" / "C" / "r.csv") +
           " would be written in the destination folder D:\\TYUJYOU\\A1\\B\\C\n"},
      {{"batch", "--yes", "--report", "folder", list}, "the report file folder is a folder\n"},
      // The default report of a list in a source folder lies beside it, in that folder.
      {{"batch", "--yes", HostText(s_ / "BORING1" / "borings.csv")},
       "would be written in the source folder S:\\BORING1\n"},
      // A tree's default report lies in the working folder: here a source boring.
      {{"batch", "--yes", "--tree", "S:\\", "D:\\TREE"},
       "S:\\:1: the report qe2m4-report.csv would be written in the source folder S:\\BORING1\n",
       s_ / "BORING1"},
  };
  fs::create_directories(work_ / "folder");
  if (MakeFileLink(work_ / "old.csv", work_ / "link.csv")) {
    cases.push_back({{"batch", "--yes", "--report", "link.csv", list},
                     "qe2m4: the report file link.csv is a symbolic link\n"});
  }
#ifndef _WIN32
  cases.push_back({{"batch", "--yes", "--report", "/dev/null", list},
                   "qe2m4: the report file /dev/null is not a regular file\n"});
  cases.push_back({{"batch", "--yes", "--report", "/dev/stdout", list},
                   "qe2m4: the report file /dev/stdout is a symbolic link\n"});
#endif
  const auto sources = Snapshot(s_);
  const auto work = Snapshot(work_);
  const auto destinations = Snapshot(d_);
  for (const Case& c : cases) {
    const ProcessResult result = Run(c.arguments, c.working_folder);
    EXPECT_EQ(result.exit_code, 2) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_TRUE(
        result.err.ends_with("qe2m4: nothing converted (--report FILE names another "
                             "report)\n"))
        << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Snapshot(s_), sources) << c.message;
    EXPECT_EQ(Snapshot(work_), work) << c.message;
    EXPECT_EQ(Snapshot(d_), destinations) << c.message;
  }
#ifndef _WIN32
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
#endif
}

TEST_F(ReportPlace, TheDefaultReportGoesBesideTheListAndATreesIntoTheWorkingFolder) {
  const fs::path survey = work_ / "survey";
  WriteList(survey / "borings.csv", 1);
  const ProcessResult listed = Run({"batch", "--yes", HostText(survey / "borings.csv")});
  ASSERT_EQ(listed.exit_code, 0) << listed.err;
  EXPECT_TRUE(fs::is_regular_file(survey / "borings-report.csv"));
  EXPECT_TRUE(fs::is_regular_file(survey / "borings-report-soil.csv"));
  EXPECT_FALSE(fs::exists(work_ / "qe2m4-report.csv"));
  EXPECT_TRUE(listed.out.ends_with(HostText(survey / "borings-report.csv") + Utf8(u"、") +
                                   HostText(survey / "borings-report-soil.csv") + "\n"))
      << listed.out;

  const ProcessResult tree = Run({"batch", "--yes", "--quiet", "--tree", "S:\\", "D:\\TREE"});
  ASSERT_EQ(tree.exit_code, 0) << tree.err;
  EXPECT_TRUE(fs::is_regular_file(work_ / "qe2m4-report.csv"));
  EXPECT_TRUE(fs::is_regular_file(work_ / "qe2m4-report-soil.csv"));
  // Only the lists and the reports: no lock file, no temporary file stays.
  EXPECT_EQ(Snapshot(survey).size(), 3u);
  EXPECT_EQ(Snapshot(work_).size(), 7u);  // list.csv, the tree's 2, survey and its 3
}

TEST_F(ReportPlace, ASecondBatchWritingTheSameReportIsRefusedAtOnce) {
  {
    // Another batch (a process of its own to the program) holds the report.
    const platform::FileLock other(work_ / "list-report.csv");
    ASSERT_TRUE(other.acquired());
    const ProcessResult refused = Run({"batch", "--yes", "list.csv"});
    EXPECT_EQ(refused.exit_code, 2);
    EXPECT_EQ(refused.err,
              "qe2m4: the report list-report.csv is being written by another batch\n"
              "qe2m4: nothing converted (--report FILE names another report)\n");
    EXPECT_TRUE(fs::is_empty(d_));
  }
  // Its table of descriptions only, under another batch's report name.
  {
    const platform::FileLock other(work_ / "list-report-soil.csv");
    EXPECT_EQ(Run({"batch", "--yes", HostText(list_)}).exit_code, 2);
  }
  EXPECT_EQ(Run({"batch", "--yes", "--quiet", HostText(list_)}).exit_code, 0);
}

// Two real batches at once, and a killed batch: POSIX signals end one process of the test's.
#ifndef _WIN32
TEST_F(ReportPlace, TwoBatchesAtOnceAndTheTemporaryReportAKilledBatchLeft) {
  WriteList(list_, 1000);
  ChildProcess first(QE2M4_EXECUTABLE,
                     Arguments({"batch", "--yes", "--jobs", "1", HostText(list_)}), work_,
                     Environment());
  for (int waited = 0; waited < 3000 && first.ErrorSoFar().find('\n') == std::string::npos;
       ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(first.ErrorSoFar().find('\n'), std::string::npos);
  // A second batch of the same list, started elsewhere, names the same report: refused while
  // the first runs.
  const fs::path elsewhere = machine_.root() / "elsewhere";
  fs::create_directories(elsewhere);
  const auto start = std::chrono::steady_clock::now();
  const ProcessResult second = Run({"batch", "--yes", "--jobs", "1", "--report",
                                    HostText(work_ / "." / "list-report.csv"), HostText(list_)},
                                   elsewhere);
  // Refused without waiting for the first batch's thousand borings; the bound leaves room for a
  // sanitizer build on busy cores, where the second batch's check of the list alone took 33 s.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
  EXPECT_EQ(second.exit_code, 2);
  EXPECT_NE(second.err.find("is being written by another batch"), std::string::npos) << second.err;

  // Killed half-way, the first batch leaves its temporary report and its lock file.
  first.Signal(SIGKILL);
  EXPECT_EQ(first.Wait().exit_code, 128 + SIGKILL);
  std::vector<std::string> left;
  for (const auto& [name, bytes] : Snapshot(work_)) {
    if (name.starts_with(".~")) {
      left.push_back(name);
    }
  }
  // The table's lock file, the report's temporary file and its lock file.
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0], ".~list-report-soil.csv.lock");
  EXPECT_TRUE(left[1].starts_with(".~list-report.csv.") && platform::IsTemporaryName(left[1]))
      << left[1];
  EXPECT_EQ(left[2], ".~list-report.csv.lock");
  WriteBytes(work_ / ".~list-report-soil.csv.99.tmp", "a table that was never finished");
  WriteBytes(work_ / ".~other.csv.99.tmp", "another program's");

  // The next batch writing that report removes what the killed one left, and nothing else.
  WriteList(list_, 2);
  ASSERT_EQ(Run({"batch", "--yes", "--quiet", HostText(list_)}).exit_code, 0);
  std::vector<std::string> hidden;
  for (const auto& [name, bytes] : Snapshot(work_)) {
    if (name.starts_with(".")) {
      hidden.push_back(name);
    }
  }
  EXPECT_EQ(hidden, std::vector<std::string>{".~other.csv.99.tmp"});
}
#endif

}  // namespace
}  // namespace qe2m4::testing
