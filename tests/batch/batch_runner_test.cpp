#include "batch/batch_runner.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "app/texts.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;

// The sample boring on S: (whose Patdat32.ini names S:\PATDAT\), S: also the system folder,
// and an empty drive D:.
class Runner : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    fs::copy(QE2M4_EXAMPLES, s_, fs::copy_options::recursive);
    machine_.fs().SetSystemFolder(u"S:\\");
    fs::create_directories(d_ / "TYUJYOU");
  }

  // Runs the entries, returning each finished boring's result by its index.
  std::map<std::size_t, BoringResult> Run(
      const std::vector<BatchEntry>& entries, int jobs, bool yes,
      const std::function<bool()>& stop = [] { return false; }) {
    std::map<std::size_t, BoringResult> results;
    RunBatch(
        machine_.fs(), entries, {jobs, yes},
        [&](std::size_t index, const BoringResult& result) {
          EXPECT_TRUE(results.emplace(index, result).second) << index;
        },
        stop);
    return results;
  }

  std::vector<BatchEntry> Entries(int count) const {
    std::vector<BatchEntry> entries;
    for (int i = 1; i <= count; ++i) {
      entries.push_back({i, u"S:\\BORING1", u"D:\\TYUJYOU\\K" + std::u16string(1, u'A' + i)});
    }
    return entries;
  }

  testing::TempMachine machine_;
  fs::path s_;
  fs::path d_;
};

TEST_F(Runner, AFailureOrARefusalStopsOnlyItsOwnBoring) {
  std::vector<BatchEntry> entries = Entries(6);
  for (const char* folder : {"KB", "KC", "KD", "KE", "KF", "KG"}) {
    fs::create_directories(d_ / "TYUJYOU" / folder);
  }
  // Boring 3 meets a folder where N4.txt should go; boring 5's folders would have to be made.
  fs::create_directories(d_ / "TYUJYOU" / "KD" / "N4.txt");
  entries[4].destination = u"D:\\TYUJYOU\\NEW\\X";
  const auto results = Run(entries, 3, false);
  ASSERT_EQ(results.size(), 6u);
  for (const auto& [index, result] : results) {
    if (index == 2) {
      EXPECT_EQ(result.outcome, BoringOutcome::kFailed);
      ASSERT_EQ(result.messages.size(), 1u);
      EXPECT_NE(result.messages[0].find(u"D:\\TYUJYOU\\KD\\N4.txt"), std::u16string::npos);
      EXPECT_GT(result.files, 0);
    } else if (index == 4) {
      EXPECT_EQ(result.outcome, BoringOutcome::kRefused);
      EXPECT_EQ(result.messages,
                std::vector<std::u16string>{std::u16string(app::texts::kCreateFolders) + u" " +
                                            std::u16string(app::texts::kAnsweredNo)});
      EXPECT_EQ(result.files, 0);
    } else {
      EXPECT_EQ(result.outcome, BoringOutcome::kConverted) << index;
      EXPECT_TRUE(result.messages.empty());
      EXPECT_EQ(result.files, 16);
      ASSERT_EQ(result.unmatched_layers.size(), 1u);
      EXPECT_EQ(result.unmatched_layers[0].description, u"粘板岩");
    }
  }
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "NEW"));
  EXPECT_TRUE(fs::is_regular_file(d_ / "TYUJYOU" / "KG" / "N7.txt"));

  const auto with_yes = Run({entries[4]}, 2, true);
  EXPECT_EQ(with_yes.at(0).outcome, BoringOutcome::kConverted);
}

TEST_F(Runner, NoBoringStartsOnceStopIsAsked) {
  const std::vector<BatchEntry> entries = Entries(8);
  std::size_t asked = 0;
  const auto results = Run(entries, 1, true, [&] { return ++asked > 3; });
  ASSERT_EQ(results.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(results.at(i).outcome, BoringOutcome::kConverted);
  }
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "KE"));
}

TEST_F(Runner, AFailureToRecordAResultEndsTheBatchAndIsThrownAgain) {
  const std::vector<BatchEntry> entries = Entries(8);
  int calls = 0;
  EXPECT_THROW(RunBatch(
                   machine_.fs(), entries, {2, true},
                   [&](std::size_t, const BoringResult&) {
                     if (++calls == 2) {
                       throw std::runtime_error("disk full");
                     }
                   },
                   [] { return false; }),
               std::runtime_error);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "KI"));
}

}  // namespace
}  // namespace qe2m4::batch
