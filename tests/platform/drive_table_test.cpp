#include "platform/drive_table.h"

#include <gtest/gtest.h>

namespace qe2m4::platform {
namespace {

TEST(DriveTable, SettingsLinesAndAssignments) {
  DriveTable table;
  const std::vector<int> bad = table.ApplySettings(
      "# comment\n"
      "c=/home/u\n"
      "\n"
      "  S = /data/borings  \r\n"
      "bogus\n"
      "1=/x\n");
  EXPECT_EQ(bad, (std::vector<int>{5, 6}));
  EXPECT_EQ(table.Folder(u'C'), std::filesystem::path("/home/u"));
  EXPECT_EQ(table.Folder(u's'), std::filesystem::path("/data/borings"));
  EXPECT_FALSE(table.Folder(u'D'));

  EXPECT_TRUE(table.ApplyAssignment("C="));  // removes the letter
  EXPECT_FALSE(table.Folder(u'C'));
  EXPECT_FALSE(table.ApplyAssignment("CC=/x"));
}

}  // namespace
}  // namespace qe2m4::platform
