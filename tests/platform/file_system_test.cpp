#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/error.h"
#include "platform/fault_injection.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

TEST(FileSystem, ResolvesLevelsWithoutRegardToCase) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "Boring" / "x4.txt", "data");
  FileSystem& fs = machine.fs();
  EXPECT_EQ(fs.Resolve(u"D:\\BORING\\X4.TXT"), d / "Boring" / "x4.txt");
  EXPECT_EQ(fs.Resolve(u"d:\\boring\\\\X4.txt"), d / "Boring" / "x4.txt");  // doubled "\"
  EXPECT_EQ(fs.Resolve(u"D:\\boring\\new\\N4.txt"), d / "Boring" / "new" / "N4.txt");
  EXPECT_TRUE(fs.FileExists(u"D:\\BORING\\X4.TXT"));
  EXPECT_TRUE(fs.FolderExists(u"D:\\boring\\"));
  EXPECT_FALSE(fs.FileExists(u"D:\\boring"));
  EXPECT_EQ(fs.FileSize(u"D:\\BORING\\X4.TXT"), 4u);
  EXPECT_EQ(fs.ReadAll(u"D:/boring/x4.TXT"), "data");
}

TEST(FileSystem, UnmappedOrMissingDriveIsNotUsable) {
  TempMachine machine;
  const auto e = machine.AddDrive(u'E');
  machine.fs().MapDrive(u'F', machine.root() / "missing");
  EXPECT_TRUE(machine.fs().DriveUsable(u'e'));
  EXPECT_FALSE(machine.fs().DriveUsable(u'F'));
  EXPECT_FALSE(machine.fs().DriveUsable(u'Q'));
  EXPECT_EQ(machine.fs().UsableDrives(), std::vector<char16_t>{u'E'});
  EXPECT_THROW(machine.fs().SetCurrentDrive(u'F'), Error);
  EXPECT_THROW(machine.fs().Resolve(u"Q:\\a.txt"), Error);
  EXPECT_FALSE(machine.fs().Exists(u"Q:\\a.txt"));
}

TEST(FileSystem, CurrentDriveAndFolderServeRelativePaths) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  machine.AddDrive(u'E');
  WriteBytes(d / "A" / "B" / "f.txt", "x");
  FileSystem& fs = machine.fs();
  fs.SetCurrentDrive(u'e');
  EXPECT_EQ(fs.CurrentDrive(), u'E');
  fs.SetCurrentFolder(u"D:\\a\\b");
  EXPECT_EQ(fs.CurrentDrive(), u'E');  // a folder change does not change the drive
  EXPECT_EQ(fs.CurrentFolder(u'D'), u"D:\\a\\b");
  EXPECT_EQ(fs.CurrentFolder(u'E'), u"E:\\");
  EXPECT_EQ(fs.Resolve(u"D:f.txt"), d / "A" / "B" / "f.txt");
  EXPECT_EQ(fs.FullPath(u"D:..\\c"), u"D:\\a\\c");
  EXPECT_THROW(fs.SetCurrentFolder(u"D:\\nothing"), Error);
}

TEST(FileSystem, ACopyStartsWhereTheOriginalIsAndGoesItsOwnWay) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  machine.AddDrive(u'E');
  WriteBytes(d / "A" / "B" / "f.txt", "x");
  FileSystem& original = machine.fs();
  original.SetCurrentDrive(u'D');
  original.SetCurrentFolder(u"D:\\A");
  original.SetSystemFolder(u"D:\\A\\B");
  original.SetOperationHook(std::make_unique<FaultInjection>(
      [](std::int64_t, FileOperation, const std::filesystem::path&) { return EIO; }));

  FileSystem copy(original);
  EXPECT_EQ(copy.CurrentDrive(), u'D');
  EXPECT_EQ(copy.CurrentFolder(u'D'), u"D:\\A");
  EXPECT_EQ(copy.SystemFolder(), u"D:\\A\\B");
  EXPECT_EQ(copy.UsableDrives(), (std::vector<char16_t>{u'D', u'E'}));
  EXPECT_EQ(copy.operation_hook()->Before(FileOperation::kOpen, d), 0);  // no test hook
  EXPECT_EQ(copy.ReadAll(u"B\\f.txt"), "x");
  EXPECT_THROW(original.ReadAll(u"B\\f.txt"), Error);

  copy.SetCurrentDrive(u'E');
  copy.SetCurrentFolder(u"D:\\A\\B");
  EXPECT_EQ(original.CurrentDrive(), u'D');
  EXPECT_EQ(original.CurrentFolder(u'D'), u"D:\\A");
}

TEST(FileSystem, ListsOrdinaryVisibleFilesByPattern) {
  TempMachine machine;
  const auto s = machine.AddDrive(u'S');
  for (const char* name : {"N2.TXT", "n8.txt", "N10.txt", "X1.TXT", ".N9.txt", "N5.txt.bak"}) {
    WriteBytes(s / name, "x");
  }
  std::filesystem::create_directory(s / "N3.txt");  // a folder is not listed
  EXPECT_EQ(machine.fs().ListFiles(u"S:\\N*.txt"),
            (std::vector<std::u16string>{u"N10.txt", u"N2.TXT", u"n8.txt"}));
  EXPECT_EQ(machine.fs().ListFiles(u"S:\\n?.TXT"),
            (std::vector<std::u16string>{u"N2.TXT", u"n8.txt"}));
  EXPECT_TRUE(machine.fs().ListFiles(u"S:\\none\\*.*").empty());
}

TEST(FileSystem, ListsFoldersAndMarksLinks) {
  TempMachine machine;
  const auto c = machine.AddDrive(u'C');
  std::filesystem::create_directories(c / "b");
  std::filesystem::create_directories(c / "a");
  std::filesystem::create_directories(c / ".hidden");
  if (!testing::MakeFolderLink(c, c / "loop")) {
    GTEST_SKIP() << "this host does not let the test make a folder link";
  }
  WriteBytes(c / "file", "x");
  const auto entries = machine.fs().ListFolders(u"C:\\");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, u"a");
  EXPECT_FALSE(entries[0].is_link);
  EXPECT_EQ(entries[2].name, u"loop");
  EXPECT_TRUE(entries[2].is_link);
}

TEST(FileSystem, CopyReplacesExistingNameInAnyCase) {
  TempMachine machine;
  const auto s = machine.AddDrive(u'S');
  const auto d = machine.AddDrive(u'D');
  WriteBytes(s / "N2.TXT", "new");
  WriteBytes(d / "n2.txt", "old content");
  machine.fs().CopyFile(u"S:\\N2.TXT", u"D:\\N2.TXT");
  EXPECT_EQ(ReadBytes(d / "n2.txt"), "new");
  EXPECT_TRUE(testing::HasEntryNamed(d, "n2.txt"));
  EXPECT_FALSE(testing::HasEntryNamed(d, "N2.TXT"));
  EXPECT_THROW(machine.fs().CopyFile(u"S:\\missing.txt", u"D:\\m.txt"), Error);
  EXPECT_FALSE(std::filesystem::exists(d / "m.txt"));
}

TEST(FileSystem, CreatesAndDeletes) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  machine.fs().CreateFolder(u"D:\\New");
  EXPECT_TRUE(std::filesystem::is_directory(d / "New"));
  machine.fs().CreateFolder(u"D:\\NEW");                        // already there: no error
  EXPECT_THROW(machine.fs().CreateFolder(u"D:\\a\\b"), Error);  // parent missing
  WriteBytes(d / "f.txt", "x");
  machine.fs().DeleteFile(u"D:\\F.TXT");
  EXPECT_FALSE(std::filesystem::exists(d / "f.txt"));
  EXPECT_THROW(machine.fs().DeleteFile(u"D:\\new"), Error);
}

TEST(FileSystem, ToDrivePathPicksTheClosestDrive) {
  TempMachine machine;
  const auto c = machine.AddDrive(u'C');
  machine.fs().MapDrive(u'R', machine.root());
  std::filesystem::create_directories(c / "app");
  EXPECT_EQ(machine.fs().ToDrivePath(c / "app"), u"C:\\app");
  EXPECT_EQ(machine.fs().ToDrivePath(c), u"C:\\");
  EXPECT_EQ(machine.fs().ToDrivePath(machine.root() / "other"), u"R:\\other");
  EXPECT_FALSE(machine.fs().ToDrivePath("/definitely/elsewhere"));
}

}  // namespace
}  // namespace qe2m4::platform
