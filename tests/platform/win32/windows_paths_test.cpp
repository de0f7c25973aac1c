// Paths and drives as Windows has them: what the user types resolves as on Linux or is refused,
// never to another folder; a drive that is not there or not ready is simply not usable.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/vendor.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;
using testing::WriteBytes;

TEST(WindowsPaths, SlashesAndDoubledSeparatorsResolveAsBackslashes) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  WriteBytes(d / "Boring" / "x4.txt", "x");
  for (const char16_t* typed :
       {u"D:/Boring/x4.txt", u"d:\\\\boring//X4.TXT", u"D:\\Boring\\.\\x4.txt"}) {
    EXPECT_EQ(machine.fs().Resolve(typed), d / "Boring" / "x4.txt");
  }
}

TEST(WindowsPaths, NamesWindowsWouldChangeAreRefusedNotReplaced) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  fs::create_directories(d / "OUT");
  // Each of these would reach another file on Windows: "OUT" for "OUT " and "OUT.", a stream of
  // the file "a" for "a:b", the console for "CON".
  for (const char16_t* typed : {u"D:\\OUT \\N1.txt", u"D:\\OUT.\\N1.txt", u"D:\\a:b",
                                u"D:\\OUT\\CON", u"D:\\OUT\\nul.txt", u"D:\\OUT\\a|b"}) {
    try {
      machine.fs().Resolve(typed);
      ADD_FAILURE() << "resolved";
    } catch (const Error& error) {
      EXPECT_EQ(error.kind(), ErrorKind::kBadPath);
      EXPECT_EQ(error.path(), typed);
    }
    EXPECT_FALSE(machine.fs().Exists(typed));
    EXPECT_THROW(machine.fs().CreateFolder(typed), Error);
  }
  EXPECT_TRUE(fs::is_empty(d / "OUT"));
  // A blank inside a name, or before it, is part of the name as everywhere.
  machine.fs().CreateFolder(u"D:\\OUT\\ A B");
  EXPECT_TRUE(fs::is_directory(d / "OUT" / " A B"));
}

TEST(WindowsPaths, PathsTooLongForWindowsAreRefusedNamingTheFolder) {
  TempMachine machine;
  machine.AddDrive(u'D');
  const std::u16string folder =
      u"D:\\" + std::u16string(120, u'a') + u"\\" + std::u16string(120, u'b');
  try {
    machine.fs().CheckPathLimits(folder);
    ADD_FAILURE() << "accepted";
  } catch (const Error& error) {
    EXPECT_EQ(error.cause(), ErrorCause::kNameTooLong);
    EXPECT_EQ(error.path(), folder);
  }
  EXPECT_NO_THROW(machine.fs().CheckPathLimits(u"D:\\TYUJYOU\\A1234"));
}

TEST(WindowsDrives, AMissingDriveIsNotUsableAndAsksNothing) {
  const DWORD present = GetLogicalDrives();
  char16_t missing = 0;
  for (char16_t letter = u'Z'; letter >= u'D' && missing == 0; --letter) {
    if ((present & (1u << (letter - u'A'))) == 0) {
      missing = letter;
    }
  }
  ASSERT_NE(missing, 0) << "every letter is in use";
  FileSystem file_system(DriveTable::Defaults());
  const DWORD mode_before = GetThreadErrorMode();
  EXPECT_FALSE(file_system.DriveUsable(missing));
  EXPECT_EQ(GoodDrive(file_system, missing), 0);
  EXPECT_THROW(file_system.SetCurrentDrive(missing), Error);
  const std::u16string path = std::u16string(1, missing) + u":\\BORING1\\X1.TXT";
  EXPECT_FALSE(file_system.Exists(path));
  EXPECT_EQ(FileSize(file_system, path), 0);
  EXPECT_THROW(file_system.ReadAll(path), Error);
  // The error mode that keeps Windows's "no disk" dialog away is the test's own again.
  EXPECT_EQ(GetThreadErrorMode(), mode_before);

  const std::vector<char16_t> usable = file_system.UsableDrives();
  EXPECT_EQ(std::count(usable.begin(), usable.end(), missing), 0);
  EXPECT_EQ(std::count(usable.begin(), usable.end(), u'C'), 1);
}

}  // namespace
}  // namespace qe2m4::platform
