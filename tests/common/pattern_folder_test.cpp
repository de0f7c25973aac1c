#include "common/pattern_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;
using testing::WriteBytes;

void Marker(TempMachine& machine, std::u16string_view folder, std::string_view bytes = "1,砂") {
  WriteBytes(machine.Host(folder) / "kishitu.txt", bytes);
}

TEST(FolderPart, CutsAfterTheLastSeparatorOrColon) {
  EXPECT_EQ(FolderPart(u"C:\\PATDAT"), u"C:\\");
  EXPECT_EQ(FolderPart(u"C:\\A\\B\\PATDAT"), u"C:\\A\\B\\");
  EXPECT_EQ(FolderPart(u"C:PATDAT"), u"C:");
  EXPECT_EQ(FolderPart(u"PATDAT"), u"");
  EXPECT_EQ(FolderPart(u""), u"");
}

TEST(FindPatternFolder, TakesTheFolderBesideTheProgramWithoutSearching) {
  TempMachine machine;
  machine.AddDrive(u'C');
  machine.AddDrive(u'D');
  Marker(machine, u"C:\\APP\\PATDAT", "0123456789");
  Marker(machine, u"D:\\PATDAT");
  machine.fs().SetProgramFolder(u"C:\\APP");
  int visited = 0;
  EXPECT_EQ(FindPatternFolder(machine.fs(), [&](std::u16string_view) { ++visited; }),
            u"C:\\APP\\PATDAT\\");
  EXPECT_EQ(visited, 0);
}

TEST(FindPatternFolder, SearchesTheOwnDriveBeforeDrivesAToZ) {
  TempMachine machine;
  machine.AddDrive(u'C');
  machine.AddDrive(u'D');
  // An empty kishitu.txt beside the program does not count.
  Marker(machine, u"D:\\APP\\PATDAT", "");
  Marker(machine, u"C:\\PATDAT");
  Marker(machine, u"D:\\X\\PATDAT");
  machine.fs().SetProgramFolder(u"D:\\APP\\");
  EXPECT_EQ(FindPatternFolder(machine.fs(), nullptr), u"D:\\X\\PATDAT\\");
}

TEST(FindPatternFolder, GoesOnFromAToZWhenTheOwnDriveHasNone) {
  TempMachine machine;
  machine.AddDrive(u'C');
  machine.AddDrive(u'D');
  machine.AddDrive(u'E');
  machine.AddDrive(u'F');
  Marker(machine, u"C:\\PATDAT", "");  // empty: ignored
  Marker(machine, u"F:\\PATDAT");
  Marker(machine, u"E:\\DATA\\PATDAT");
  fs::create_directories(machine.Host(u"D:\\APP"));
  machine.fs().SetProgramFolder(u"D:\\APP");
  std::vector<std::u16string> visited;
  EXPECT_EQ(FindPatternFolder(machine.fs(),
                              [&](std::u16string_view folder) { visited.emplace_back(folder); }),
            u"E:\\DATA\\PATDAT\\");
  // D first (own drive), then C and E in order; D is not walked a second time, F never.
  const std::vector<std::u16string> expected = {u"D:\\",         u"D:\\APP\\", u"C:\\",
                                                u"C:\\PATDAT\\", u"E:\\",      u"E:\\DATA\\"};
  EXPECT_EQ(visited, expected);
}

TEST(FindPatternFolder, WithoutAProgramFolderSearchesAToZAndMayFindNothing) {
  TempMachine machine;
  machine.AddDrive(u'B');
  machine.AddDrive(u'K');
  Marker(machine, u"K:\\Z\\PATDAT");
  EXPECT_EQ(FindPatternFolder(machine.fs(), nullptr), u"K:\\Z\\PATDAT\\");
  fs::remove_all(machine.Host(u"K:\\Z"));
  EXPECT_EQ(FindPatternFolder(machine.fs(), nullptr), u"");
}

TEST(SearchPatternTree, CollectsHitsInDepthFirstPreOrder) {
  TempMachine machine;
  machine.AddDrive(u'E');
  Marker(machine, u"E:\\C\\PATDAT");
  Marker(machine, u"E:\\A\\B\\PATDAT");
  Marker(machine, u"E:\\PATDAT");
  Marker(machine, u"E:\\A\\B\\X\\PATDAT", "");
  std::vector<std::u16string> hits;
  SearchPatternTree(machine.fs(), u"E:\\PATDAT", hits, nullptr);
  const std::vector<std::u16string> expected = {u"E:\\PATDAT\\", u"E:\\A\\B\\PATDAT\\",
                                                u"E:\\C\\PATDAT\\"};
  EXPECT_EQ(hits, expected);
  EXPECT_EQ(FindPatternFolder(machine.fs(), nullptr), u"E:\\PATDAT\\");

  fs::remove_all(machine.Host(u"E:\\PATDAT"));
  EXPECT_EQ(FindPatternFolder(machine.fs(), nullptr), u"E:\\A\\B\\PATDAT\\");

  hits.clear();
  SearchPatternTree(machine.fs(), u"E:\\PATDAT", hits, nullptr, 1);
  EXPECT_EQ(hits, std::vector<std::u16string>{u"E:\\A\\B\\PATDAT\\"});
}

TEST(SearchPatternTree, CallsTheProgressOncePerFolderAndFindsAnyLetterCase) {
  TempMachine machine;
  machine.AddDrive(u'E');
  fs::create_directories(machine.Host(u"E:\\one\\two"));
  fs::create_directories(machine.Host(u"E:\\three"));
  Marker(machine, u"E:\\three\\patdat");
  std::vector<std::u16string> visited;
  std::vector<std::u16string> hits;
  SearchPatternTree(machine.fs(), u"E:\\PATDAT", hits,
                    [&](std::u16string_view folder) { visited.emplace_back(folder); });
  const std::vector<std::u16string> expected = {u"E:\\", u"E:\\one\\", u"E:\\one\\two\\",
                                                u"E:\\three\\", u"E:\\three\\patdat\\"};
  EXPECT_EQ(visited, expected);
  EXPECT_EQ(hits, std::vector<std::u16string>{u"E:\\three\\PATDAT\\"});
}

TEST(SearchPatternTree, NeverFollowsSymbolicLinks) {
  TempMachine machine;
  machine.AddDrive(u'E');
  const fs::path outside = machine.root() / "outside";
  WriteBytes(outside / "PATDAT" / "kishitu.txt", "1");
  fs::create_directories(machine.Host(u"E:\\A"));
  if (!testing::MakeFolderLink(machine.Host(u"E:\\"), machine.Host(u"E:\\A\\loop")) ||
      !testing::MakeFolderLink(outside, machine.Host(u"E:\\A\\elsewhere"))) {
    GTEST_SKIP() << "this host does not let the test make a folder link";
  }
  int visited = 0;
  std::vector<std::u16string> hits;
  SearchPatternTree(machine.fs(), u"E:\\PATDAT", hits, [&](std::u16string_view) { ++visited; });
  EXPECT_EQ(visited, 2);  // E:\ and E:\A\ only
  EXPECT_TRUE(hits.empty());
}

// Only Linux lets a folder hold these names.
#ifndef _WIN32
TEST(SearchPatternTree, PassesByNamesThatWouldRevisitAParentOrClimbOut) {
  TempMachine machine;
  machine.AddDrive(u'E');
  // Joined into paths, "x\.." and "\" would be E:\ again, for ever; "..\..\z" lies outside.
  for (const char* name : {"x\\..", "\\", "a\\..\\..\\z", "CR\r"}) {
    WriteBytes(machine.Host(u"E:\\") / name / "PATDAT" / "kishitu.txt", "1");
  }
  Marker(machine, u"E:\\z\\PATDAT");
  std::vector<std::u16string> visited;
  EXPECT_EQ(FindPatternFolder(machine.fs(),
                              [&](std::u16string_view folder) { visited.emplace_back(folder); }),
            u"E:\\z\\PATDAT\\");
  EXPECT_EQ(visited, (std::vector<std::u16string>{u"E:\\", u"E:\\z\\"}));
}
#endif

}  // namespace
}  // namespace qe2m4
