// The walk of --tree over archives made by others: every boring found, every odd folder one
// row of its own, nothing outside the destination root ever named.
#include "batch/batch_tree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "app/texts.h"
#include "batch/boring_run.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;
using testing::WriteBytes;

class Tree : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
  }

  // A folder that holds data (a non-empty X1.TXT) below the archive S:\A.
  void Boring(const fs::path& level) const { WriteBytes(s_ / "A" / level / "X1.TXT", "1,x\r\n"); }

  BatchList Walk(const std::function<bool()>& stop = [] { return false; }) {
    return FindTreeBorings(machine_.fs(), u"S:\\A", u"D:\\T", stop);
  }

  testing::TempMachine machine_;
  fs::path s_;
  fs::path d_;
};

// "line source -> destination" with the outcome of the walk, for comparing whole walks.
std::vector<std::u16string> Rows(const BatchList& list) {
  std::vector<std::u16string> rows;
  for (const BatchEntry& entry : list.entries) {
    std::u16string row = std::u16string(1, static_cast<char16_t>(u'0' + entry.line)) + u" " +
                         entry.source + u" -> " + entry.destination;
    if (entry.problem) {
      row += entry.problem->outcome == BoringOutcome::kRefused ? u" refused" : u" failed";
    }
    rows.push_back(row);
  }
  return rows;
}

TEST_F(Tree, AFolderThatCannotBeReadIsOneFailedRowAndTheWalkGoesOn) {
  Boring("B1");
  Boring("B2/C");
  Boring("B3");
  machine_.fs().SetOperationHook(std::make_unique<platform::FaultInjection>(
      [&](std::int64_t, platform::FileOperation op, const fs::path& host) {
        return op == platform::FileOperation::kListFolder && host.filename() == "B2" ? EIO : 0;
      }));
  const BatchList list = Walk();
  EXPECT_TRUE(list.problems.empty());
  EXPECT_EQ(Rows(list),
            (std::vector<std::u16string>{u"1 S:\\A\\B1 -> D:\\T\\B1", u"2 S:\\A\\B2 ->  failed",
                                         u"3 S:\\A\\B3 -> D:\\T\\B3"}));
  const std::u16string& message = list.entries[1].problem->message;
  EXPECT_EQ(message, u"S:\\A\\B2: " + std::u16string(app::texts::kTreeUnreadableFolder) + u" " +
                         std::u16string(app::texts::kCauseIoError));
}

TEST_F(Tree, AStopRequestEndsTheWalk) {
  for (const char* level : {"B1", "B2", "B3", "B4"}) {
    Boring(level);
  }
  int asked = 0;
  EXPECT_THROW(Walk([&] { return ++asked > 3; }), platform::Interrupted);
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(Walk().entries.size(), 4u);
}

TEST_F(Tree, AnEntryWithAProblemIsReportedWithoutRunning) {
  const BatchEntry entry{
      7, u"S:\\A\\x", u"", {}, WalkProblem{BoringOutcome::kRefused, u"S:\\A\\x: no"}};
  const BoringResult result = RunBoring(machine_.fs(), entry, true);
  EXPECT_EQ(result.outcome, BoringOutcome::kRefused);
  EXPECT_EQ(result.messages, std::vector<std::u16string>{u"S:\\A\\x: no"});
  EXPECT_EQ(result.files, 0);
}

// A list line ending in "\r\r\n" or a tab names a destination with a control character.
TEST_F(Tree, ADestinationWithAControlCharacterIsRefusedBeforeAnythingIsMade) {
  fs::copy(QE2M4_EXAMPLES, s_, fs::copy_options::recursive);
  machine_.fs().SetSystemFolder(u"S:\\");
  for (const std::u16string destination : {u"D:\\CR1\r", u"D:\\TAB\t"}) {
    const BoringResult result = RunBoring(machine_.fs(), {1, u"S:\\BORING1", destination}, true);
    EXPECT_EQ(result.outcome, BoringOutcome::kRefused);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find(app::texts::kErrorBadPath), std::u16string::npos);
    EXPECT_NE(result.messages[0].find(u"control character U+00"), std::u16string::npos);
  }
  EXPECT_TRUE(fs::is_empty(d_));
}

// Only Linux lets a folder hold these names.
#ifndef _WIN32

TEST_F(Tree, AFolderNameThatCannotBeALevelIsOneRefusedRowAndNeverWalkedInto) {
  Boring("B1");
  // Each would climb out of D:\T, or revisit its parent for ever, if it were joined into a path.
  for (const char* hostile : {"x\\..\\..\\VICTIM\\K1", "x\\..", "\\", "CR1\r"}) {
    Boring(fs::path(hostile) / "IN");
    Boring(hostile);
  }
  fs::create_directories(s_ / "VICTIM" / "K1");
  Boring("Z9");
  const BatchList list = Walk();
  EXPECT_TRUE(list.problems.empty());
  EXPECT_EQ(Rows(list), (std::vector<std::u16string>{
                            u"1 S:\\A\\\\ ->  refused",
                            u"2 S:\\A\\B1 -> D:\\T\\B1",
                            u"3 S:\\A\\CR1\r ->  refused",
                            u"4 S:\\A\\x\\.. ->  refused",
                            u"5 S:\\A\\x\\..\\..\\VICTIM\\K1 ->  refused",
                            u"6 S:\\A\\Z9 -> D:\\T\\Z9",
                        }));
  EXPECT_EQ(list.entries[4].problem->message, u"S:\\A\\x\\..\\..\\VICTIM\\K1: " +
                                                  std::u16string(app::texts::kTreeBadFolderName) +
                                                  u" the name holds the path separator \"\\\"");
  EXPECT_NE(list.entries[2].problem->message.find(u"U+000D"), std::u16string::npos);
}

TEST_F(Tree, NamesFromAWindowsZipAreFoundAndTheirCopiesKeepTheirBytes) {
  const std::string tokyo = "\x93\x8C\x8B\x9E";  // 東京 in CP932
  const std::string osaka = "\x91\xE5\x8D\xE3";  // 大阪
  const std::string table = "\x95\x5C";          // 表: its second byte is 0x5C
  Boring(fs::path(tokyo) / "B1");
  Boring(fs::path(tokyo) / table);
  Boring(osaka);
  Boring("\xFF");
  const BatchList list = Walk();
  EXPECT_TRUE(list.problems.empty());
  EXPECT_EQ(Rows(list), (std::vector<std::u16string>{
                            u"1 S:\\A\\大阪 -> D:\\T\\大阪",
                            u"2 S:\\A\\東京\\B1 -> D:\\T\\東京\\B1",
                            u"3 S:\\A\\東京\\表 -> D:\\T\\東京\\表",
                            u"4 S:\\A\\\xDCFF -> D:\\T\\\xDCFF",
                        }));
  ASSERT_EQ(list.entries[2].stored_names.size(), 2u);
  EXPECT_EQ(list.entries[2].stored_names[0].path, u"D:\\T\\東京");
  EXPECT_EQ(list.entries[2].stored_names[0].host_name, tokyo);
  EXPECT_EQ(list.entries[2].stored_names[1].path, u"D:\\T\\東京\\表");
  EXPECT_EQ(list.entries[2].stored_names[1].host_name, table);
  // A name kept with escapes is its own bytes again: nothing to keep.
  EXPECT_TRUE(list.entries[3].stored_names.empty());
  for (const BatchEntry& entry : list.entries) {
    EXPECT_TRUE(machine_.fs().FileExists(entry.source + u"\\X1.TXT"))
        << testing::Sjis(entry.source);
  }
}

#endif

// The walk visits folders in the order Explorer lists them: numbers by their value, Latin
// before kana and kanji; a boring before the borings inside it.
TEST_F(Tree, VisitsFoldersInTheOrderExplorerListsThem) {
  for (const char16_t* level : {u"No.10", u"No.2", u"No.1 ボーリング", u"表・ソ十能", u"no.3",
                                u"No.2/孔１０", u"No.2/孔２", u"No.2/孔１"}) {
    Boring(fs::path(level));
  }
  EXPECT_EQ(Rows(Walk()), (std::vector<std::u16string>{
                              u"1 S:\\A\\No.1 ボーリング -> D:\\T\\No.1 ボーリング",
                              u"2 S:\\A\\No.2 -> D:\\T\\No.2",
                              u"3 S:\\A\\No.2\\孔１ -> D:\\T\\No.2\\孔１",
                              u"4 S:\\A\\No.2\\孔２ -> D:\\T\\No.2\\孔２",
                              u"5 S:\\A\\No.2\\孔１０ -> D:\\T\\No.2\\孔１０",
                              u"6 S:\\A\\no.3 -> D:\\T\\no.3",
                              u"7 S:\\A\\No.10 -> D:\\T\\No.10",
                              u"8 S:\\A\\表・ソ十能 -> D:\\T\\表・ソ十能",
                          }));
}

}  // namespace
}  // namespace qe2m4::batch
