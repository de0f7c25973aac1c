#include "platform/vendor.h"

#include <gtest/gtest.h>

#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

using testing::TempMachine;
using testing::WriteBytes;

TEST(Vendor, CountsAgreeWithListings) {
  TempMachine machine;
  const auto c = machine.AddDrive(u'C');
  WriteBytes(c / "PATDAT" / "kishitu.txt", "12345");
  WriteBytes(c / "PATDAT" / "README", "");
  std::filesystem::create_directories(c / "PATDAT" / "sub");
  const FileSystem& fs = machine.fs();
  EXPECT_EQ(FCount(fs, u"C:\\PATDAT\\*.*"), 2);  // "*.*" also matches a name without a dot
  EXPECT_EQ(FCount(fs, u"C:\\PATDAT\\*.txt"), 1);
  EXPECT_EQ(DCount(fs, u"C:\\PATDAT\\*.*"), 1);
  EXPECT_EQ(DCount(fs, u"C:\\nothing\\*.*"), 0);
  const auto files = ReadFileX(fs, u"C:\\PATDAT\\*.*");
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, u"README");
  EXPECT_EQ(files[0].size, 0);
  EXPECT_EQ(files[1].size, 5);
  EXPECT_EQ(FileSize(fs, u"C:\\PATDAT\\KISHITU.TXT"), 5);
  EXPECT_EQ(FileSize(fs, u"C:\\PATDAT\\none.txt"), 0);
  EXPECT_EQ(GoodDrive(fs, u'C'), -1);
  EXPECT_EQ(GoodDrive(fs, u'D'), 0);
}

TEST(Vendor, InCountNeverCountsTrailBytes) {
  // ソ and 表 end in the byte 0x5C in CP932; only real "\" characters count.
  EXPECT_EQ(InCount(u"D:\\ソ表\\", u'\\'), 2);
  EXPECT_EQ(InCount(u"", u'\\'), 0);
}

TEST(Vendor, TrimsBlanksOnly) {
  EXPECT_EQ(QPTrim(u"  ABC  "), u"ABC");
  EXPECT_EQ(QPTrim(u"   "), u"");
  EXPECT_EQ(QPTrim(u"\tA\u3000"), u"\tA\u3000");
  EXPECT_EQ(QPRTrim(u"  A  "), u"  A");
}

}  // namespace
}  // namespace qe2m4::platform
