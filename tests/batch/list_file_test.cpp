#include "batch/list_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/interrupted.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::batch {
namespace {

namespace fs = std::filesystem;

// A list is read only when it is a regular file of sensible size; anything else is one problem
// of the list as a whole, found without reading it (a device or a FIFO would never end).
TEST(ReadListFile, ReadsOnlyARegularFileOfSensibleSize) {
  const testing::TempMachine machine;
  const fs::path folder = machine.root();
  const struct {
    const char* what;
    std::function<fs::path()> make;
    std::string message;  // empty: read
  } cases[] = {
      {"a list",
       [&] {
         testing::WriteBytes(folder / "list.csv", "S:\\A,D:\\B\r\n");
         return folder / "list.csv";
       },
       ""},
      {"nothing there", [&] { return folder / "none.csv"; }, "cannot read the list: no such file"},
      {"a folder",
       [&] {
         fs::create_directories(folder / "lists");
         return folder / "lists";
       },
       "cannot read the list: a folder, not a file"},
      // Made sparse: a file system that cannot gives it its size all the same.
      {"a file one byte over the limit",
       [&] {
         testing::WriteBytes(folder / "big.csv", "S:\\A,D:\\B\r\n");
         fs::resize_file(folder / "big.csv", kMaxListBytes + 1);
         return folder / "big.csv";
       },
       "cannot read the list: larger than 67108864 bytes"},
#ifndef _WIN32
      {"a device that never ends", [] { return fs::path("/dev/zero"); },
       "cannot read the list: not a regular file"},
#endif
  };
  for (const auto& c : cases) {
    const BatchList list = ReadListFile(c.make(), std::nullopt, nullptr);
    if (c.message.empty()) {
      EXPECT_TRUE(list.problems.empty()) << c.what;
      EXPECT_EQ(list.entries.size(), 1u) << c.what;
      EXPECT_EQ(list.encoding, common::TextEncoding::kUtf8) << c.what;
      continue;
    }
    ASSERT_EQ(list.problems.size(), 1u) << c.what;
    EXPECT_TRUE(list.problems[0].lines.empty()) << c.what;
    EXPECT_EQ(list.problems[0].message, c.message) << c.what;
    EXPECT_TRUE(list.entries.empty()) << c.what;
    EXPECT_FALSE(list.encoding.has_value()) << c.what;
  }
  if (testing::MakeFifo(folder / "fifo.csv")) {
    const BatchList fifo = ReadListFile(folder / "fifo.csv", std::nullopt, nullptr);
    ASSERT_EQ(fifo.problems.size(), 1u);
    EXPECT_EQ(fifo.problems[0].message, "cannot read the list: not a regular file");
  }
}

TEST(ReadListFile, TakesTheForcedEncodingAndStopsWhenAsked) {
  const testing::TempMachine machine;
  const fs::path path = machine.root() / "list.csv";
  testing::WriteBytes(path, testing::Sjis(u"S:\\ﾅｶ,D:\\ﾅｶ\r\n"));
  EXPECT_EQ(ReadListFile(path, std::nullopt, nullptr).entries.at(0).source, u"S:\\ﾅｶ");
  const BatchList forced = ReadListFile(path, common::TextEncoding::kUtf8, nullptr);
  EXPECT_EQ(forced.encoding, common::TextEncoding::kUtf8);
  EXPECT_EQ(forced.entries.at(0).source, u"S:\\Ŷ");
  EXPECT_THROW(ReadListFile(path, std::nullopt, [] { return true; }), platform::Interrupted);
}

}  // namespace
}  // namespace qe2m4::batch
