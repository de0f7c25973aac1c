// Names a folder may hold that cannot be one level of a path, and names in other encodings:
// the first never become part of a path, the second are listed, reached and written exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/names.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;
using testing::WriteBytes;

TEST(LevelNames, NamesThatWouldBeOtherLevelsAreNoLevels) {
  const struct {
    std::u16string name;
    bool level;
  } cases[] = {
      {u"K1", true},
      {u"表", true},
      {u".hidden", true},
      {u"...", true},
      {u"a b", true},
      {u".", false},
      {u"..", false},
      {u"x\\..", false},
      {u"x\\..\\..\\VICTIM\\K1", false},
      {u"\\", false},
      {u"a/b", false},
      {u"CR1\r", false},
      {u"TAB\t", false},
      {std::u16string(u"NUL\0", 4), false},
      {u"\x1B]0;PWNED\x07", false},
      {u"DEL\x7F", false},
      {u"\x1F", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!LevelNameProblem(c.name).has_value(), c.level) << testing::Sjis(c.name);
  }
  const std::optional<NameProblem> cr = ControlCharacterProblem(u"CR1\r");
  ASSERT_TRUE(cr);
  EXPECT_EQ(*cr, (NameProblem{NameProblemKind::kControlCharacter, u'\r'}));
  EXPECT_EQ(NameProblemSummary(*cr), "the name holds the control character U+000D");
  EXPECT_EQ(NameProblemSummary(*ControlCharacterProblem(u"A\x7F")),
            "the name holds the control character U+007F");
  EXPECT_FALSE(ControlCharacterProblem(u"東京 A-1"));
  // Each problem says which: the first separator, the first control character.
  EXPECT_EQ(LevelNameProblem(u"a/b\\c"), (NameProblem{NameProblemKind::kSeparator, u'/'}));
  EXPECT_EQ(LevelNameProblem(u"x\\.."), (NameProblem{NameProblemKind::kSeparator, u'\\'}));
  EXPECT_EQ(LevelNameProblem(u".."), NameProblem{NameProblemKind::kAbove});
  EXPECT_EQ(LevelNameProblem(u"."), NameProblem{NameProblemKind::kItself});
  EXPECT_EQ(LevelNameProblem(u"\t\r"), (NameProblem{NameProblemKind::kControlCharacter, u'\t'}));
}

// A list line ending in "\r\r\n" or a tab gives such a destination: refused on every system
// before anything is made for it, with the reason.
TEST(LevelNames, PathsWithControlCharactersAreRefusedOnEverySystem) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  for (const std::u16string typed :
       {u"D:\\CR1\r", u"D:\\TAB\t", u"D:\\A\\DEL\x7F\\B", u"D:\\\x1B[2J"}) {
    try {
      machine.fs().Resolve(typed);
      ADD_FAILURE() << "resolved";
    } catch (const Error& error) {
      EXPECT_EQ(error.kind(), ErrorKind::kBadPath);
      EXPECT_NE(error.reason().find("control character U+00"), std::string::npos);
      ASSERT_TRUE(error.name_problem());
      EXPECT_EQ(error.name_problem()->kind, NameProblemKind::kControlCharacter);
    }
    EXPECT_FALSE(machine.fs().Exists(typed));
    EXPECT_THROW(machine.fs().CreateFolder(typed), Error);
  }
  EXPECT_TRUE(fs::is_empty(d));
}

// Only Linux lets a folder hold these names; Windows (and Wine) refuse to make them.
#ifndef _WIN32

// Folders named as a hostile archive or a Windows zip unpacked on Linux names them.
class HostNames : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    for (const std::string& name : kOdd) {
      fs::create_directory(s_ / name);
    }
    for (const std::string& name : kUsable) {
      fs::create_directory(s_ / name);
    }
    WriteBytes(s_ / "a\\b.TXT", "x");
    WriteBytes(s_ / "N1.TXT", "x");
  }

  const std::vector<std::string> kOdd = {
      "x\\..\\..\\VICTIM\\K1", "x\\..", "\\", "CR1\r", "TAB\t", "DEL\x7F", "\x1B]0;PWNED\x07"};
  // Each with the name the program reads it by.
  const std::vector<std::string> kUsable = {
      "ok", "\x95\x5C", "\x83\x5C", "\x93\x8C\x8B\x9E", "\xFF\xFE", "\xE5\xA4\xA7\xE9\x98\xAA"};
  const std::vector<std::u16string> kUsableNames = {u"ok",   u"表",           u"ソ",
                                                    u"東京", u"\xDCFF\xDCFE", u"大阪"};
  TempMachine machine_;
  fs::path s_;
};

std::vector<std::u16string> Names(const std::vector<FolderEntry>& entries) {
  std::vector<std::u16string> names;
  for (const FolderEntry& entry : entries) {
    names.push_back(entry.name);
  }
  return names;
}

TEST_F(HostNames, ListingsPassByNamesThatCannotBeLevels) {
  std::vector<std::u16string> expected = kUsableNames;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(machine_.fs().ListFolders(u"S:\\")), expected);
  EXPECT_EQ(machine_.fs().ListFiles(u"S:\\*.TXT"), std::vector<std::u16string>{u"N1.TXT"});

  // The walk's listing has them too, each with its problem, under its stored name.
  std::size_t refused = 0;
  for (const FolderEntry& entry : machine_.fs().ListFolderEntries(u"S:\\")) {
    const bool odd = std::find(kOdd.begin(), kOdd.end(), entry.host_name.native()) != kOdd.end();
    EXPECT_EQ(entry.problem.has_value(), odd) << entry.host_name;
    refused += odd ? 1 : 0;
  }
  EXPECT_EQ(refused, kOdd.size());
}

TEST_F(HostNames, EveryListedNameReachesItsOwnFolderAndWritesThere) {
  for (std::size_t i = 0; i < kUsable.size(); ++i) {
    const std::u16string folder = u"S:\\" + kUsableNames[i];
    EXPECT_EQ(machine_.fs().Resolve(folder), s_ / kUsable[i]) << kUsable[i];
    EXPECT_TRUE(machine_.fs().FolderExists(folder));
    // A new level inside the folder: the folder is reached, no twin of it is made.
    machine_.fs().CreateFolder(folder + u"\\B1");
    machine_.fs().CopyFile(u"S:\\N1.TXT", folder + u"\\b1\\X1.TXT");
    EXPECT_EQ(testing::ReadBytes(s_ / kUsable[i] / "B1" / "X1.TXT"), "x");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(s_), fs::directory_iterator()),
            static_cast<std::ptrdiff_t>(kOdd.size() + kUsable.size() + 2));
}

TEST_F(HostNames, TheNameInItsOwnFormWinsOverATwinInAnotherEncoding) {
  const fs::path utf8 = s_ / "\xE6\x9D\xB1\xE4\xBA\xAC";  // 東京 beside the CP932 東京
  fs::create_directory(utf8);
  EXPECT_EQ(machine_.fs().Resolve(u"S:\\東京"), utf8);
  const std::vector<std::u16string> names = Names(machine_.fs().ListFolders(u"S:\\"));
  EXPECT_EQ(std::count(names.begin(), names.end(), u"東京"), 1);
  for (const FolderEntry& entry : machine_.fs().ListFolderEntries(u"S:\\")) {
    if (entry.name == u"東京") {
      EXPECT_EQ(entry.problem.has_value(), entry.host_name != utf8.filename()) << entry.host_name;
    }
  }
}

TEST_F(HostNames, ANewLevelTakesTheStoredNameItWasGiven) {
  const fs::path d = machine_.AddDrive(u'D');
  FileSystem file_system = machine_.fs();
  file_system.SetStoredName(u"D:\\T\\東京", "\x93\x8C\x8B\x9E");
  const FileSystem copy = file_system;
  copy.CreateFolder(u"D:\\T");
  copy.CreateFolder(u"d:\\t\\東京");
  copy.CreateFolder(u"D:\\T\\東京\\表");
  EXPECT_TRUE(fs::is_directory(d / "T" / "\x93\x8C\x8B\x9E" / "\xE8\xA1\xA8"));
  EXPECT_EQ(std::distance(fs::directory_iterator(d / "T"), fs::directory_iterator()), 1);
  // Without it a new level is written as UTF-8; an existing one is found either way.
  machine_.fs().CreateFolder(u"D:\\T\\大阪");
  EXPECT_TRUE(fs::is_directory(d / "T" / "\xE5\xA4\xA7\xE9\x98\xAA"));
  EXPECT_EQ(machine_.fs().Resolve(u"D:\\T\\東京"), d / "T" / "\x93\x8C\x8B\x9E");
}

TEST_F(HostNames, AHostFolderBelowANameThatCannotBeALevelHasNoDrivePath) {
  fs::create_directories(s_ / "x\\.." / "inner");
  EXPECT_FALSE(machine_.fs().ToDrivePath(s_ / "x\\.." / "inner"));
  EXPECT_EQ(machine_.fs().ToDrivePath(s_ / "\x93\x8C\x8B\x9E"), u"S:\\東京");
  EXPECT_EQ(machine_.fs().ToDrivePath(s_ / "\xFF\xFE"), u"S:\\\xDCFF\xDCFE");
}

#endif

}  // namespace
}  // namespace qe2m4::platform
