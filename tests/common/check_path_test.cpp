#include "common/check_path.h"

#include <gtest/gtest.h>

#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

TEST(CheckPath, AcceptsAndNormalises) {
  testing::TempMachine machine;
  machine.AddDrive(u'C');
  machine.AddDrive(u'D');
  struct Case {
    std::u16string input;
    PathCheck result;
    std::u16string normalised;
  } const cases[] = {
      {u" C:\\data ", PathCheck::kAccepted, u"C:\\data\\"},
      {u"c:", PathCheck::kAccepted, u"c:\\"},
      {u"C:\\", PathCheck::kAccepted, u"C:\\"},
      {u"C:data\\sub", PathCheck::kAccepted, u"C:\\data\\sub\\"},
      {u"C:\\データ\\長いフォルダ名のテスト\\", PathCheck::kAccepted,
       u"C:\\データ\\長いフォルダ名のテスト\\"},
      {u"C:\\a b+[;]\\", PathCheck::kAccepted, u"C:\\a b+[;]\\"},
      {u"C:\\data\\\\sub", PathCheck::kRejected, u"C:\\data\\\\sub\\"},
      {u"C:\\da*ta", PathCheck::kRejected, u"C:\\da*ta"},
      {u"C:\\data?", PathCheck::kRejected, u"C:\\data?"},
      {u"Q:\\data", PathCheck::kRejected, u"Q:\\data"},
      {u"1:\\data", PathCheck::kRejected, u"1:\\data"},
      {u"data", PathCheck::kBadDriveName, u"data"},
      {u"\\data", PathCheck::kBadDriveName, u"\\data"},
      {u"1", PathCheck::kBadDriveName, u"1"},
      {u"", PathCheck::kBadDriveName, u""},
      {u"   ", PathCheck::kBadDriveName, u""},
      {u"Ｃ:\\data", PathCheck::kBadDriveName, u"Ｃ:\\data"},
  };
  for (const Case& c : cases) {
    std::u16string path = c.input;
    EXPECT_EQ(CheckPath(machine.fs(), path), c.result);
    EXPECT_EQ(path, c.normalised);
  }
}

TEST(CheckPath, MakesTheDriveCurrentOrLeavesItAlone) {
  testing::TempMachine machine;
  machine.AddDrive(u'C');
  machine.AddDrive(u'D');
  std::u16string path = u"d:\\x";
  ASSERT_EQ(CheckPath(machine.fs(), path), PathCheck::kAccepted);
  EXPECT_EQ(machine.fs().CurrentDrive(), u'D');
  path = u"Q:\\data";
  EXPECT_EQ(CheckPath(machine.fs(), path), PathCheck::kRejected);
  EXPECT_EQ(machine.fs().CurrentDrive(), u'D');
  machine.fs().MapDrive(u'E', machine.root() / "missing");  // mapped, folder missing
  path = u"E:\\";
  EXPECT_EQ(CheckPath(machine.fs(), path), PathCheck::kRejected);
}

}  // namespace
}  // namespace qe2m4
