#include <gtest/gtest.h>
#include <windows.h>

#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;

TEST(WindowsDriveDefaults, EveryLetterIsItsOwnRoot) {
  const DriveTable table = DriveTable::Defaults();
  ASSERT_EQ(table.entries().size(), 26u);
  EXPECT_EQ(table.Folder(u'C'), fs::path(L"C:\\"));
  EXPECT_EQ(table.Folder(u's'), fs::path(L"S:\\"));
  EXPECT_EQ(table.Folder(u'Z'), fs::path(L"Z:\\"));

  // The working drive's real paths come back as themselves.
  const FileSystem file_system(DriveTable::Defaults());
  const fs::path working = fs::current_path();
  const auto path = file_system.ToDrivePath(working);
  ASSERT_TRUE(path);
  EXPECT_EQ(fs::path(std::wstring(path->begin(), path->end())), working);
}

TEST(WindowsDriveDefaults, SettingsLiveInAppData) {
  const testing::TempMachine machine;
  testing::SetUserConfigRoot(machine.root());
  EXPECT_EQ(UserConfigFolder(), machine.root() / L"qe2m4");
  EXPECT_EQ(DriveSettingsFile(), machine.root() / L"qe2m4" / L"drives.conf");
}

TEST(WindowsDriveDefaults, SystemFolderIsTheOneA32BitProgramSees) {
  wchar_t buffer[MAX_PATH];
  const UINT wow64 = GetSystemWow64DirectoryW(buffer, MAX_PATH);
  if (wow64 > 0 && wow64 < MAX_PATH) {
    EXPECT_EQ(DefaultSystemFolder(), fs::path(buffer));
    EXPECT_EQ(DefaultSystemFolder().filename().wstring().size(), 8u);  // SysWOW64, any case
  } else {
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(DefaultSystemFolder(), fs::path(buffer));
  }
  EXPECT_TRUE(fs::is_directory(DefaultSystemFolder()));
}

TEST(WindowsDriveDefaults, ProgramFolderHoldsTheTestProgram) {
  const auto folder = ProgramLocation();
  ASSERT_TRUE(folder);
  wchar_t name[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, name, MAX_PATH), 0u);
  EXPECT_EQ(*folder, fs::path(name).parent_path());
  EXPECT_TRUE(fs::is_regular_file(*folder / fs::path(name).filename()));
}

}  // namespace
}  // namespace qe2m4::platform
