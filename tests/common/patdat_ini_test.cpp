#include "common/patdat_ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

using testing::TempMachine;
using testing::WriteBytes;

class PatdatIniTest : public ::testing::Test {
 protected:
  PatdatIniTest() : windows_(machine_.AddDrive(u'C') / "WINDOWS") {
    std::filesystem::create_directories(windows_);
    machine_.fs().SetSystemFolder(u"C:\\WINDOWS");
  }

  TempMachine machine_;
  std::filesystem::path windows_;
};

TEST_F(PatdatIniTest, SecondLineFirstFieldWithoutBlanks) {
  struct Case {
    const char* bytes;
    std::u16string expected;
  } const cases[] = {
      {"[PATDAT]\r\nC:\\TABLES\\,x\r\n", u"C:\\TABLES\\"},
      {"anything\r\n  C:\\TABLES\\  \r\n", u"C:\\TABLES\\"},
      {"anything\r\n\"D:\\A,B\\\",rest\r\nthird\r\n", u"D:\\A,B\\"},
      {"caption\r\nE:\\\x8a\xbf\\", u"E:\\\u6f22\\"},  // 漢, no final line end
      {"caption\r\n\r\n", u""},
      {"caption\r\nX", u"X"},  // a value of one byte at the very end still counts
  };
  for (const Case& c : cases) {
    WriteBytes(windows_ / "Patdat32.ini", c.bytes);
    const PatdatIni ini = ReadPatdatIni(machine_.fs());
    EXPECT_EQ(ini.state, PatdatIni::State::kRead) << c.bytes;
    EXPECT_EQ(ini.value, c.expected) << c.bytes;
  }
}

TEST_F(PatdatIniTest, MissingOrEmptyFileGivesEmptyTextAndCreatesNothing) {
  EXPECT_EQ(ReadPatdatIni(machine_.fs()).state, PatdatIni::State::kMissing);
  EXPECT_FALSE(std::filesystem::exists(windows_ / "Patdat32.ini"));
  WriteBytes(windows_ / "PATDAT32.INI", "");
  const PatdatIni empty = ReadPatdatIni(machine_.fs());
  EXPECT_EQ(empty.state, PatdatIni::State::kMissing);
  EXPECT_EQ(empty.value, u"");
  EXPECT_TRUE(std::filesystem::exists(windows_ / "PATDAT32.INI"));
}

TEST_F(PatdatIniTest, OneLineIsAShortFileNamingThePath) {
  for (const char* bytes : {"only one line\r\n", "only one line"}) {
    WriteBytes(windows_ / "Patdat32.ini", bytes);
    try {
      ReadPatdatIni(machine_.fs());
      ADD_FAILURE() << "no error for " << bytes;
    } catch (const platform::Error& error) {
      EXPECT_EQ(error.kind(), platform::ErrorKind::kShortFile);
      EXPECT_EQ(error.path(), u"C:\\WINDOWS\\Patdat32.ini");
    }
  }
}

}  // namespace
}  // namespace qe2m4
