#include "platform/start_up.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;
using testing::WriteBytes;

// Each test case runs in a process of its own, so changing the environment and the working
// folder here does not reach other cases.
class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::SetUserConfigRoot(machine_.root());
    saved_working_ = fs::current_path();
  }
  void TearDown() override { fs::current_path(saved_working_); }

  TempMachine machine_;
  fs::path saved_working_;
};

TEST_F(StartUpTest, SettingsThenAssignmentsWithRelativeFolders) {
  WriteBytes(machine_.root() / "qe2m4" / "drives.conf", "S=/srv/borings\nnonsense\nD=/data\n");
  fs::current_path(machine_.root());
  std::vector<std::string> problems;
  const DriveTable table = StartUpDriveTable({"d=relative/dest", "bad", "Z="}, problems);
  EXPECT_EQ(table.Folder(u'S'), fs::path("/srv/borings"));
  EXPECT_EQ(table.Folder(u'D'), fs::canonical(machine_.root()) / "relative" / "dest");
  EXPECT_FALSE(table.Folder(u'Z'));
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("drives.conf:2:"), std::string::npos);
  EXPECT_NE(problems[1].find("--drive bad"), std::string::npos);
}

TEST_F(StartUpTest, WorkingFolderGivesCurrentDriveAndFolder) {
  const fs::path d = machine_.AddDrive(u'D');
  machine_.AddDrive(u'E');
  fs::create_directories(d / "Boring" / "A");
  fs::current_path(d / "Boring" / "A");
  EnterWorkingFolder(machine_.fs());
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');
  EXPECT_EQ(machine_.fs().CurrentFolder(u'D'), u"D:\\Boring\\A");
  EXPECT_EQ(machine_.fs().FullPath(u"x.txt"), u"D:\\Boring\\A\\x.txt");
}

TEST_F(StartUpTest, WorkingFolderOnNoDriveGivesTheFirstUsableDrive) {
  machine_.AddDrive(u'K');
  machine_.AddDrive(u'F');
  fs::current_path(fs::temp_directory_path());
  EnterWorkingFolder(machine_.fs());
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'F');
}

}  // namespace
}  // namespace qe2m4::platform
