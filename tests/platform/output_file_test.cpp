#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/error.h"
#include "platform/file_system.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

TEST(OutputFile, WritesCp932LinesWithCrLf) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  OutputFile out(machine.fs(), u"D:\\N1.txt");
  out.WriteLine(u"  1,砂");
  out.WriteLine(u"");
  out.Commit();
  EXPECT_EQ(ReadBytes(d / "N1.txt"), "  1,\x8D\xBB\r\n\r\n");
}

// Lines are buffered and written out in blocks: many blocks' worth arrive whole and in order.
TEST(OutputFile, ManyBlocksOfLinesArriveInOrder) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  OutputFile out(machine.fs(), u"D:\\N12.txt");
  std::string expected;
  for (int i = 0; i < 30000; ++i) {
    const std::string number = std::to_string(i);
    out.WriteLine(u"砂" + std::u16string(number.begin(), number.end()));
    expected += "\x8D\xBB" + number + "\r\n";
  }
  EXPECT_EQ(out.lines(), 30000);
  out.Commit();
  EXPECT_EQ(ReadBytes(d / "N12.txt"), expected);
}

TEST(OutputFile, IsAbsentOrUnchangedWithoutCommit) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "n4.TXT", "previous");
  try {
    OutputFile out(machine.fs(), u"D:\\N4.txt");
    out.WriteLine(u"half");
    throw std::runtime_error("failure in the middle");
  } catch (const std::runtime_error&) {
  }
  {
    OutputFile out(machine.fs(), u"D:\\N5.txt");
    out.WriteLine(u"never committed");
  }
  EXPECT_EQ(ReadBytes(d / "n4.TXT"), "previous");
  EXPECT_FALSE(std::filesystem::exists(d / "N5.txt"));
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d), {}), 1);
}

TEST(OutputFile, ReplacesExistingFileUnderItsOwnName) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "n4.TXT", "previous");
  OutputFile out(machine.fs(), u"D:\\N4.txt");
  out.WriteLine(u"new");
  out.Commit();
  EXPECT_EQ(ReadBytes(d / "n4.TXT"), "new\r\n");
  EXPECT_TRUE(testing::HasEntryNamed(d, "n4.TXT"));
  EXPECT_FALSE(testing::HasEntryNamed(d, "N4.txt"));
}

TEST(OutputFile, FolderInTheWayIsAnError) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  std::filesystem::create_directory(d / "N6.txt");
  try {
    OutputFile out(machine.fs(), u"D:\\N6.txt");
    FAIL() << "expected an error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::kWrite);
    EXPECT_EQ(error.path(), u"D:\\N6.txt");
    EXPECT_FALSE(error.reason().empty());
  }
}

}  // namespace
}  // namespace qe2m4::platform
