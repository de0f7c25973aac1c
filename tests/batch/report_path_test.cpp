#include "batch/report_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/host_paths.h"
#include "platform/temporary_names.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;

TEST(ReportPath, TheDefaultReportGoesBesideTheListNamedAfterIt) {
  const struct {
    fs::path list;
    fs::path report;
  } cases[] = {
      {"borings.csv", "borings-report.csv"},
      {fs::path("survey") / "B.CSV", fs::path("survey") / "B-report.csv"},
      {"list.txt", "list.txt-report.csv"},
      {"list", "list-report.csv"},
      {fs::path(u"調査") / u"孔一覧.csv", fs::path(u"調査") / u"孔一覧-report.csv"},
      {{}, "qe2m4-report.csv"},  // a tree: the working folder
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultReportPath(c.list), c.report) << c.list;
  }
}

// Drive S: holds the source boring B1, drive D: its destination OUT\B1; the list lies in the
// machine's root.
class ReportPathTest : public ::testing::Test {
 protected:
  ReportPathTest() {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    fs::create_directories(s_ / "B1");
    fs::create_directories(s_ / "B2");
    fs::create_directories(d_ / "OUT" / "B1");
    testing::WriteBytes(s_ / "B1" / "X1.TXT", "1,0.60,,=1+2\r\n");
    list_ = machine_.root() / "list.csv";
    testing::WriteBytes(list_, "S:\\B1,D:\\OUT\\B1\r\nS:\\b1,D:\\OUT\\B2\r\n");
  }

  // The problems' lines and messages, one text each ("3,4: message" or "message").
  std::vector<std::string> Problems(const fs::path& report) {
    std::vector<std::string> texts;
    for (const ListProblem& problem : ReportPathProblems(machine_.fs(), report, list_, entries_)) {
      std::string text;
      for (const int line : problem.lines) {
        if (!text.empty()) {
          text += ',';
        }
        text += std::to_string(line);
      }
      texts.push_back(text.empty() ? problem.message : text + ": " + problem.message);
    }
    return texts;
  }

  testing::TempMachine machine_;
  fs::path s_;
  fs::path d_;
  fs::path list_;
  const std::vector<BatchEntry> entries_ = {{1, u"S:\\B1", u"D:\\OUT\\B1"},
                                            {2, u"S:\\b1", u"D:\\OUT\\B2"}};
};

TEST_F(ReportPathTest, TheReportNeverReplacesTheListALinkAnythingButAFileOrAFileOfTheBatch) {
  const fs::path root = machine_.root();
  fs::create_directories(root / "folder.csv");
  fs::create_directories(root / "x");
  testing::WriteBytes(root / "old.csv", "an earlier report");
  std::optional<fs::path> fifo;
  if (testing::MakeFifo(root / "fifo.csv")) {
    fifo = root / "fifo.csv";
  }
  const std::string in = "the report ";
  const std::string file = "the report file ";
  struct Case {
    fs::path report;
    std::vector<std::string> problems;
  };
  std::vector<Case> cases = {
      {root / "new.csv", {}},
      {root / "old.csv", {}},
      {list_, {file + platform::PathUtf8(list_) + " is the list"}},
      {root / "x" / ".." / "list.csv",
       {file + platform::PathUtf8(root / "x" / ".." / "list.csv") + " is the list"}},
      {root / "folder.csv", {file + platform::PathUtf8(root / "folder.csv") + " is a folder"}},
      // A file of a source folder (by any spelling: line 2 writes S:\b1), new or there.
      {s_ / "B1" / "X1.TXT",
       {"1,2: " + in + platform::PathUtf8(s_ / "B1" / "X1.TXT") +
        " would be written in the source folder S:\\B1"}},
      {s_ / "B1" / "r.csv",
       {"1,2: " + in + platform::PathUtf8(s_ / "B1" / "r.csv") +
        " would be written in the source folder S:\\B1"}},
      {d_ / "OUT" / "B1" / "r.csv",
       {"1: " + in + platform::PathUtf8(d_ / "OUT" / "B1" / "r.csv") +
        " would be written in the destination folder D:\\OUT\\B1"}},
      // Another folder of the drives is free.
      {s_ / "B2" / "r.csv", {}},
      {d_ / "OUT" / "r.csv", {}},
  };
  if (fifo) {
    cases.push_back({*fifo, {file + platform::PathUtf8(*fifo) + " is not a regular file"}});
  }
  if (testing::MakeFileLink(root / "old.csv", root / "link.csv")) {
    cases.push_back({root / "link.csv",
                     {file + platform::PathUtf8(root / "link.csv") + " is a symbolic link"}});
    // The table of descriptions beside the report is a link.
    testing::MakeFileLink(list_, root / "t-soil.csv");
    cases.push_back(
        {root / "t.csv", {file + platform::PathUtf8(root / "t-soil.csv") + " is a symbolic link"}});
  }
  if (testing::MakeFolderLink(s_ / "B1", root / "alias")) {
    cases.push_back({root / "alias" / "r.csv",
                     {"1,2: " + in + platform::PathUtf8(root / "alias" / "r.csv") +
                      " would be written in the source folder S:\\B1"}});
  }
#ifndef _WIN32
  for (const char* device : {"/dev/null", "/dev/stdout"}) {
    const std::string kind =
        fs::is_symlink(device) ? " is a symbolic link" : " is not a regular file";
    cases.push_back({device, {file + device + kind}});
  }
#endif
  for (const Case& c : cases) {
    EXPECT_EQ(Problems(c.report), c.problems) << c.report;
  }
  // The table of descriptions beside the report would be the list.
  testing::WriteBytes(root / "t2-soil.csv", "S:\\B1,D:\\OUT\\B1\r\n");
  const std::vector<ListProblem> table_is_list =
      ReportPathProblems(machine_.fs(), root / "t2.csv", root / "t2-soil.csv", entries_);
  ASSERT_EQ(table_is_list.size(), 1u);
  EXPECT_EQ(table_is_list[0].message,
            file + platform::PathUtf8(root / "t2-soil.csv") + " is the list");
  // Nothing was written or removed.
  EXPECT_EQ(testing::ReadBytes(root / "old.csv"), "an earlier report");
  EXPECT_EQ(testing::ReadBytes(s_ / "B1" / "X1.TXT"), "1,0.60,,=1+2\r\n");
}

// A folder a tree walk reported (a name that cannot be a level, a folder it cannot read) is not
// run and has no destination: the report may go anywhere but its source, also into the working
// folder, where an empty destination would be read.
TEST_F(ReportPathTest, AFolderTheWalkReportedHasNoDestinationFolder) {
  machine_.fs().SetCurrentDrive(u'D');
  machine_.fs().SetCurrentFolder(u"D:\\OUT");
  std::vector<BatchEntry> entries = entries_;
  entries.push_back(
      {3, u"S:\\B2", u"", {}, WalkProblem{BoringOutcome::kRefused, u"S:\\B2: refused"}});
  EXPECT_TRUE(ReportPathProblems(machine_.fs(), d_ / "OUT" / "r.csv", list_, entries).empty());
  EXPECT_TRUE(ReportPlace(machine_.fs(), d_ / "OUT" / "r.csv", list_, entries).problems().empty());
  // Its source folder stays one the report may not go into.
  const std::vector<ListProblem> in_source =
      ReportPathProblems(machine_.fs(), s_ / "B2" / "r.csv", list_, entries);
  ASSERT_EQ(in_source.size(), 1u);
  EXPECT_EQ(in_source[0].lines, std::vector<int>{3});
}

TEST_F(ReportPathTest, OneBatchHoldsAReportAndRemovesWhatKilledBatchesLeftUnderItsNames) {
  const fs::path folder = machine_.root() / "reports";
  const fs::path report = folder / "r.csv";
  const std::vector<std::string> ours = {".~r.csv.123.tmp", ".~r-soil.csv.7.tmp"};
  const std::vector<std::string> others = {".~r.csv.x1.tmp",     ".~r.csv.tmp", ".~other.csv.5.tmp",
                                           ".~r.csv.12.tmp.old", "r.csv.3.tmp", "r.csv"};
  for (const auto* names : {&ours, &others}) {
    for (const std::string& name : *names) {
      testing::WriteBytes(folder / name, "x");
    }
  }
  fs::create_directories(folder / ".~r.csv.9.tmp");  // a folder, not a file of ours
  {
    const ReportPlace place(machine_.fs(), report, list_, entries_);
    EXPECT_EQ(place.problems().size(), 0u);
    for (const std::string& name : ours) {
      EXPECT_FALSE(fs::exists(folder / name)) << name;
    }
    for (const std::string& name : others) {
      EXPECT_TRUE(fs::exists(folder / name)) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder / ".~r.csv.9.tmp"));

    // A second batch is refused at once, and removes nothing.
    testing::WriteBytes(folder / ours[0], "a temporary file of the first batch");
    const ReportPlace second(machine_.fs(), report, list_, entries_);
    ASSERT_EQ(second.problems().size(), 1u);
    EXPECT_EQ(second.problems()[0].message,
              "the report " + platform::PathUtf8(report) + " is being written by another batch");
    EXPECT_TRUE(fs::exists(folder / ours[0]));
    // Also when the second one's report is the first one's table of descriptions.
    EXPECT_EQ(ReportPlace(machine_.fs(), folder / "r-soil.csv", list_, entries_).problems().size(),
              1u);
  }
  // Released: the next batch takes the place, and no lock file stays.
  EXPECT_EQ(ReportPlace(machine_.fs(), report, list_, entries_).problems().size(), 0u);
  EXPECT_FALSE(fs::exists(platform::LockFileName(report)));
  EXPECT_FALSE(fs::exists(platform::LockFileName(folder / "r-soil.csv")));

  // A refused place takes no lock and removes nothing.
  testing::WriteBytes(s_ / "B1" / ".~r.csv.5.tmp", "x");
  EXPECT_EQ(ReportPlace(machine_.fs(), s_ / "B1" / "r.csv", list_, entries_).problems().size(), 1u);
  EXPECT_TRUE(fs::exists(s_ / "B1" / ".~r.csv.5.tmp"));
  EXPECT_FALSE(fs::exists(platform::LockFileName(s_ / "B1" / "r.csv")));
}

}  // namespace
}  // namespace qe2m4::batch
