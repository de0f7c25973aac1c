#include "platform/start_up.h"

#include <gtest/gtest.h>

#include <variant>

#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;
using testing::WriteBytes;
using Kind = SettingsWarning::Kind;

// Each test case runs in a process of its own, so changing the environment and the working
// folder here does not reach other cases.
class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::SetUserConfigRoot(machine_.root());
    saved_working_ = fs::current_path();
  }
  void TearDown() override { fs::current_path(saved_working_); }

  fs::path Settings() const { return machine_.root() / "qe2m4" / "drives.conf"; }

  TempMachine machine_;
  fs::path saved_working_;
};

TEST_F(StartUpTest, SettingsThenAssignmentsWithRelativeFolders) {
  WriteBytes(Settings(), "S=/srv/borings\nnonsense\nD=/data\n");
  fs::current_path(machine_.root());
  std::vector<SettingsWarning> warnings;
  const DriveTable table =
      StartUpDriveTable({{u'D', "relative/./dest/"}, {u'Z', ""}, {u'E', "/abs/"}}, warnings);
  EXPECT_EQ(table.Folder(u'S'), fs::path("/srv/borings"));
  EXPECT_EQ(table.Folder(u'D'), fs::canonical(machine_.root()) / "relative" / "dest");
  EXPECT_EQ(table.Folder(u'E'), fs::absolute("/abs"));
  EXPECT_FALSE(table.Folder(u'Z'));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].kind, Kind::kLineNotAssignment);
  EXPECT_EQ(warnings[0].line, 2);
  EXPECT_EQ(warnings[0].file, Settings());
}

TEST_F(StartUpTest, ASettingsFileThatIsNoOrdinaryFileIsOneWarning) {
  struct Case {
    const char* what;
    std::function<void()> make;
    Kind kind;
  };
  const Case cases[] = {
      {"a folder", [&] { fs::create_directories(Settings()); }, Kind::kFileIsFolder},
      {"too large", [&] { WriteBytes(Settings(), std::string(kDriveSettingsMaxBytes + 1, '#')); },
       Kind::kFileTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(Settings());
    c.make();
    std::vector<SettingsWarning> warnings;
    const DriveTable table = StartUpDriveTable({}, warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].kind, c.kind);
    EXPECT_EQ(table.entries(), DriveTable::Defaults().entries());
  }
}

TEST_F(StartUpTest, StartMapsTheOptionsDrivesAndTheSystemFolder) {
  WriteBytes(Settings(), "C=\nZ=\n");
  const fs::path d = machine_.root() / "d";
  fs::create_directories(d / "ini" / "sub");
  fs::current_path(d / "ini");
  auto started = StartFrontEnd({{"D=" + PathUtf8(d), "q = " + PathUtf8(d / "ini") + " "}, "sub"});
  ASSERT_TRUE(std::holds_alternative<StartUp>(started));
  const StartUp& start = std::get<StartUp>(started);
  EXPECT_TRUE(start.warnings.empty());
  EXPECT_EQ(start.file_system.drives().Folder(u'Q'), d / "ini");
  // The system folder is named through the drive that holds it most closely.
  EXPECT_EQ(start.file_system.SystemFolder(), u"Q:\\sub");
  // The working folder's drive is current, the working folder its current folder.
  EXPECT_EQ(start.file_system.CurrentDrive(), u'Q');
  EXPECT_EQ(start.file_system.CurrentFolder(u'Q'), u"Q:\\");
}

TEST_F(StartUpTest, OptionsThatCannotBeUsedStopTheStart) {
  WriteBytes(Settings(), "C=\nZ=\n");
  const fs::path nowhere = machine_.root() / "nowhere";
  struct Case {
    StartUpOptions options;
    StartUpError::Kind kind;
    std::string value;
  };
  const Case cases[] = {
      {{{"D=/x", "DD=/y"}, ""}, StartUpError::Kind::kNotADriveAssignment, "DD=/y"},
      {{{"=/x"}, ""}, StartUpError::Kind::kNotADriveAssignment, "=/x"},
      {{{}, PathUtf8(nowhere)}, StartUpError::Kind::kSystemFolderOnNoDrive, PathUtf8(nowhere)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const auto started = StartFrontEnd(c.options);
    ASSERT_TRUE(std::holds_alternative<StartUpError>(started));
    EXPECT_EQ(std::get<StartUpError>(started).kind, c.kind);
    EXPECT_EQ(std::get<StartUpError>(started).value, c.value);
  }
}

#ifndef _WIN32
TEST_F(StartUpTest, ADefaultSystemFolderOnNoDriveIsAWarning) {
  // The default system folder is the user's configuration folder, which no drive holds here.
  WriteBytes(Settings(), "C=\nZ=\n");
  const auto started = StartFrontEnd({});
  ASSERT_TRUE(std::holds_alternative<StartUp>(started));
  const StartUp& start = std::get<StartUp>(started);
  ASSERT_EQ(start.warnings.size(), 1u);
  EXPECT_EQ(start.warnings[0].kind, Kind::kSystemFolderOnNoDrive);
  EXPECT_EQ(start.file_system.SystemFolder(), u"");
}
#endif

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
