#include "batch/batch_check.h"

#include <gtest/gtest.h>

#include "batch/batch_tree.h"
#include "platform/interrupted.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;

class CheckBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    fs::create_directories(d_ / "TYUJYOU" / "A");
    fs::create_directories(s_ / "B1");
    // E: is another letter for the folder of D:.
    machine_.fs().MapDrive(u'E', d_);
  }

  testing::TempMachine machine_;
  fs::path s_;
  fs::path d_;
};

TEST_F(CheckBatch, NamesTheLinesOfEachConflict) {
  const struct {
    const char* name;
    std::vector<BatchEntry> entries;
    std::vector<std::vector<int>> problem_lines;
  } cases[] = {
      {"distinct destinations, one source twice",
       {{1, u"S:\\B1", u"D:\\TYUJYOU\\A"}, {2, u"S:\\B1", u"D:\\TYUJYOU\\B"}},
       {}},
      {"one destination on two lines",
       {{1, u"S:\\B1", u"D:\\TYUJYOU\\A"}, {4, u"S:\\B2", u"D:\\TYUJYOU\\A"}},
       {{1, 4}}},
      {"the same destination in another letter case, with a trailing blank",
       {{1, u"S:\\B1", u"D:\\TYUJYOU\\A"},
        {2, u"S:\\B2", u"D:\\X"},
        {3, u"S:\\B3", u"d:\\tyujyou\\a "}},
       {{1, 3}}},
      {"the same host folder through another drive letter",
       {{1, u"S:\\B1", u"D:\\TYUJYOU\\A"}, {2, u"S:\\B2", u"E:\\TYUJYOU\\A"}},
       {{1, 2}}},
      {"a destination that is another line's source",
       {{1, u"S:\\B1", u"D:\\TYUJYOU\\A"}, {2, u"D:\\TYUJYOU\\A", u"D:\\TYUJYOU\\C"}},
       {{1, 2}}},
      {"a line's own source as its destination is left to its run",
       {{1, u"S:\\B1", u"S:\\B1"}},
       {}},
      {"three spellings of one destination, and a second pair",
       {{1, u"S:\\B1", u"D:\\TYUJYOU\\A"},
        {2, u"S:\\B2", u"D:\\TYUJYOU\\B"},
        {3, u"S:\\B3", u"e:\\tyujyou\\a\\"},
        {4, u"S:\\B4", u"D:\\TYUJYOU\\b"},
        {5, u"S:\\B5", u"D:\\TYUJYOU\\.\\A"}},
       {{1, 3, 5}, {2, 4}}},
      {"a destination read by two lines names the first",
       {{1, u"S:\\B1", u"D:\\X"}, {2, u"D:\\X", u"D:\\Y"}, {3, u"d:\\x", u"D:\\Z"}},
       {{1, 2}}},
      {"a line's own source is passed by for the next reader",
       {{1, u"S:\\B1", u"S:\\B1"}, {2, u"S:\\B1", u"D:\\Q"}},
       {{1, 2}}},
      {"paths on no drive are left to their runs",
       {{1, u"Q:\\B1", u"Q:\\X"}, {2, u"Q:\\B2", u"Q:\\X"}, {3, u"S:\\B1", u"*:"}},
       {}},
  };
  for (const auto& c : cases) {
    std::vector<std::vector<int>> lines;
    for (const ListProblem& problem : CheckBatchEntries(machine_.fs(), c.entries)) {
      lines.push_back(problem.lines);
      EXPECT_FALSE(problem.message.empty());
    }
    EXPECT_EQ(lines, c.problem_lines) << c.name;
  }
}

// Every line compared with every other would take hours here; the lines of one folder are
// compared by sorting their keys instead.
TEST_F(CheckBatch, AHundredThousandLinesOfOneFolderAreCheckedAtOnce) {
  constexpr int kLines = 100000;
  std::vector<BatchEntry> one_destination;
  std::vector<BatchEntry> each_reads_the_others;
  for (int i = 1; i <= kLines; ++i) {
    one_destination.push_back({i, u"S:\\B" + std::u16string(1, u'0' + i % 10),
                               i % 2 == 0 ? u"D:\\TYUJYOU\\A" : u"e:\\tyujyou\\a\\"});
    each_reads_the_others.push_back({i, u"D:\\TYUJYOU\\A", u"D:\\TYUJYOU\\A"});
  }
  const std::vector<ListProblem> shared = CheckBatchEntries(machine_.fs(), one_destination);
  ASSERT_EQ(shared.size(), 1u);
  ASSERT_EQ(shared[0].lines.size(), static_cast<std::size_t>(kLines));
  EXPECT_EQ(shared[0].lines.front(), 1);
  EXPECT_EQ(shared[0].lines.back(), kLines);
  EXPECT_EQ(shared[0].message, "one destination e:\\tyujyou\\a\\ on several lines");

  // Each line's destination is the source of all the others: the first other line is named.
  const std::vector<ListProblem> read = CheckBatchEntries(machine_.fs(), each_reads_the_others);
  ASSERT_EQ(read.size(), kLines + 1u);
  EXPECT_EQ(read[0].lines, (std::vector<int>{1, 2}));
  EXPECT_EQ(read[1].lines, (std::vector<int>{2, 1}));
  EXPECT_EQ(read[kLines - 1].lines, (std::vector<int>{kLines, 1}));
  EXPECT_EQ(read[kLines].lines.size(), static_cast<std::size_t>(kLines));
}

TEST_F(CheckBatch, StopsWhenAskedTo) {
  std::vector<BatchEntry> entries;
  for (int i = 1; i <= 50; ++i) {
    entries.push_back({i, u"S:\\B1", u"D:\\TYUJYOU\\A" + std::u16string(1, u'0' + i % 10)});
  }
  int asked = 0;
  EXPECT_THROW(CheckBatchEntries(machine_.fs(), entries, [&] { return ++asked == 20; }),
               platform::Interrupted);
  EXPECT_EQ(asked, 20);
  EXPECT_FALSE(CheckBatchEntries(machine_.fs(), entries, [] { return false; }).empty());
}

TEST_F(CheckBatch, TreeFindsNestedBoringsInOrderWithoutFollowingLinks) {
  const fs::path archive = s_ / "ARCHIVE";
  testing::WriteBytes(archive / "A1234" / "B" / "C" / "X1.TXT", "1,1.0,,砂\r\n");
  testing::WriteBytes(archive / "A1234" / "B" / "X1.TXT", "1,1.0,,砂\r\n");
  testing::WriteBytes(archive / "A1234" / "B" / "C" / "D" / "x1.txt", "1\r\n");
  testing::WriteBytes(archive / "A0001" / "X1.TXT", "1\r\n");
  testing::WriteBytes(archive / "EMPTY" / "X1.TXT", "");
  testing::WriteBytes(archive / "NODATA" / "X3.TXT", "1\r\n");
  testing::WriteBytes(archive / ".hidden" / "X1.TXT", "1\r\n");
  // A link, where the system lets the test make one, is never followed.
  static_cast<void>(testing::MakeFolderLink(archive / "A1234", archive / "LINKED"));

  const BatchList list = FindTreeBorings(machine_.fs(), u"S:\\ARCHIVE", u"D:\\TYUJYOU\\");
  EXPECT_TRUE(list.problems.empty());
  std::vector<std::pair<std::u16string, std::u16string>> found;
  for (const BatchEntry& entry : list.entries) {
    found.emplace_back(entry.source, entry.destination);
    EXPECT_EQ(entry.line, static_cast<int>(found.size()));
  }
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"S:\\ARCHIVE\\A0001", u"D:\\TYUJYOU\\A0001"},
      {u"S:\\ARCHIVE\\A1234\\B", u"D:\\TYUJYOU\\A1234\\B"},
      {u"S:\\ARCHIVE\\A1234\\B\\C", u"D:\\TYUJYOU\\A1234\\B\\C"},
      {u"S:\\ARCHIVE\\A1234\\B\\C\\D", u"D:\\TYUJYOU\\A1234\\B\\C\\D"},
  };
  EXPECT_EQ(found, expected);

  EXPECT_EQ(FindTreeBorings(machine_.fs(), u"S:\\NONE", u"D:\\TYUJYOU").problems.size(), 1u);
}

}  // namespace
}  // namespace qe2m4::batch
