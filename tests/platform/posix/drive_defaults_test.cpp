#include <gtest/gtest.h>

#include "platform/drive_table.h"
#include "platform/program_location.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

TEST(PosixDriveDefaults, RootIsZAndSettingsLiveInTheConfigFolder) {
  const DriveTable table = DriveTable::Defaults();
  EXPECT_EQ(table.Folder(u'Z'), std::filesystem::path("/"));
  EXPECT_FALSE(table.Folder(u'S'));

  const testing::TempMachine machine;
  testing::SetUserConfigRoot(machine.root());
  EXPECT_EQ(UserConfigFolder(), machine.root() / "qe2m4");
  EXPECT_EQ(DriveSettingsFile(), machine.root() / "qe2m4" / "drives.conf");
  EXPECT_EQ(DefaultSystemFolder(), machine.root() / "qe2m4");
}

}  // namespace
}  // namespace qe2m4::platform
