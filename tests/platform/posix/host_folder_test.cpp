#include "platform/host_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {
namespace fs = std::filesystem;

// A listing gives every entry under its stored name with the type the system told, and what
// is an ordinary file or leads to one is told the same way whether the listing told the type or
// the system is asked.
TEST(PosixHostFolder, ListsEveryKindOfEntryWithItsOwnType) {
  const testing::TempMachine machine;
  const fs::path folder = machine.root() / "F";
  testing::WriteBytes(folder / "file.txt", "x");
  fs::create_directories(folder / "sub");
  fs::create_symlink(folder / "file.txt", folder / "to-file");
  fs::create_symlink(folder / "sub", folder / "to-folder");
  fs::create_symlink(folder / "nowhere", folder / "dangling");
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);

  struct Expected {
    const char* name;
    fs::file_type own_type;
    bool leads_to_file;
  };
  const std::vector<Expected> expected = {
      {"dangling", fs::file_type::symlink, false}, {"file.txt", fs::file_type::regular, true},
      {"pipe", fs::file_type::fifo, false},        {"sub", fs::file_type::directory, false},
      {"to-file", fs::file_type::symlink, true},   {"to-folder", fs::file_type::symlink, false},
  };

  std::error_code ec;
  std::vector<HostEntry> entries = ReadHostFolder(folder, fs::directory_options::none, ec);
  ASSERT_FALSE(ec) << ec.message();
  ASSERT_EQ(entries.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    const HostEntry& entry = entries[i];
    EXPECT_EQ(entry.stored.native(), expected[i].name);
    EXPECT_EQ(entry.name,
              std::u16string(expected[i].name, expected[i].name + std::strlen(expected[i].name)));
    // tmpfs and ext4 tell the type; a file system that does not leaves it to the system.
    EXPECT_TRUE(entry.listed == expected[i].own_type || entry.listed == fs::file_type::none);
    std::error_code leads_ec;
    EXPECT_EQ(LeadsToRegularFile(folder, entry, leads_ec), expected[i].leads_to_file);
    // Asked of the system, the answer is the same.
    HostEntry untold = entry;
    untold.listed = fs::file_type::none;
    EXPECT_EQ(LeadsToRegularFile(folder, untold, leads_ec), expected[i].leads_to_file);
  }
}

TEST(PosixHostFolder, AFolderThatIsNotThereIsAnErrorWhateverTheOptions) {
  const testing::TempMachine machine;
  for (const fs::directory_options options :
       {fs::directory_options::none, fs::directory_options::skip_permission_denied}) {
    std::error_code ec;
    const std::vector<HostEntry> entries = ReadHostFolder(machine.root() / "none", options, ec);
    EXPECT_EQ(ec, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(entries.empty());
  }
}

}  // namespace
}  // namespace qe2m4::platform
