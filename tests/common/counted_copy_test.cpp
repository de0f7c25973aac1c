#include "common/counted_copy.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/drive_path.h"
#include "platform/error.h"
#include "platform/fault_injection.h"
#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

platform::DrivePath Path(std::u16string_view text) {
  return *platform::DrivePath::Parse(text);
}

TEST(LineCounter, EveryLineEndAndALastLineWithoutOne) {
  const struct {
    std::string bytes;
    std::int64_t lines;
  } cases[] = {
      {"", 0},        {"a", 1},   {"a\r\n", 1}, {"a\r\nb", 2}, {"\r\n\r\n", 2},
      {"a\rb\nc", 3}, {"a\r", 1}, {"\n\r", 2},  {"\r\r\n", 2}, {"a\n\nb\r\n", 3},
  };
  for (const auto& c : cases) {
    // Whole, and cut into blocks at every place: a CR LF cut in two counts once.
    LineCounter whole;
    whole.Add(c.bytes);
    EXPECT_EQ(whole.lines(), c.lines) << c.bytes;
    for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
      LineCounter blocks;
      blocks.Add(std::string_view(c.bytes).substr(0, cut));
      blocks.Add(std::string_view(c.bytes).substr(cut));
      EXPECT_EQ(blocks.lines(), c.lines) << c.bytes << " cut at " << cut;
    }
  }
}

TEST(CopyCountingLines, CopiesAFileLargerThanABlockWholeAndCountsItsLines) {
  TempMachine machine;
  const fs::path s = machine.AddDrive(u'S');
  const fs::path d = machine.AddDrive(u'D');
  // 70,000 lines of "nnnnnnn\r\n": block ends fall inside lines and between CR and LF.
  std::string content;
  for (int n = 0; n < 70000; ++n) {
    content += std::to_string(1000000 + n) + "\r\n";
  }
  content += "last";
  WriteBytes(s / "N2.TXT", content);
  WriteBytes(d / "n2.txt", "old");
  EXPECT_EQ(CopyCountingLines(machine.fs(), Path(u"S:\\N2.TXT"), Path(u"D:\\N2.TXT")), 70001);
  EXPECT_EQ(ReadBytes(d / "n2.txt"), content);  // the file of that name in any case replaced
  EXPECT_FALSE(testing::HasEntryNamed(d, "N2.TXT"));
}

TEST(CopyCountingLines, AFailureIsACopyErrorAndLeavesTheTargetAsItWas) {
  TempMachine machine;
  const fs::path s = machine.AddDrive(u'S');
  const fs::path d = machine.AddDrive(u'D');
  WriteBytes(d / "N8.TXT", "old");
  try {
    CopyCountingLines(machine.fs(), Path(u"S:\\N8.TXT"), Path(u"D:\\N8.TXT"));
    FAIL() << "no error";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.kind(), platform::ErrorKind::kCopy);
    EXPECT_EQ(error.path(), u"S:\\N8.TXT");
  }
  WriteBytes(s / "N8.TXT", std::string(200000, 'x'));
  for (const platform::FileOperation operation :
       {platform::FileOperation::kCopy, platform::FileOperation::kRead,
        platform::FileOperation::kWrite, platform::FileOperation::kRename}) {
    machine.fs().SetOperationHook(std::make_unique<platform::FaultInjection>(
        [operation](std::int64_t, platform::FileOperation op, const fs::path&) {
          return op == operation ? EIO : 0;
        }));
    try {
      CopyCountingLines(machine.fs(), Path(u"S:\\N8.TXT"), Path(u"D:\\N8.TXT"));
      ADD_FAILURE() << "no error at operation " << static_cast<int>(operation);
    } catch (const platform::Error& error) {
      EXPECT_EQ(error.kind(), platform::ErrorKind::kCopy);
    }
    EXPECT_EQ(ReadBytes(d / "N8.TXT"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1);
  }
}

}  // namespace
}  // namespace qe2m4
