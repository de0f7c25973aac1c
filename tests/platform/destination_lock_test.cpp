#include "platform/destination_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/error.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

#ifdef _WIN32
#include "lock_holder_win32.h"
#include "platform/host_paths.h"
#else
#include "lock_holder_posix.h"
#endif

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;

class DestinationLockTest : public ::testing::Test {
 protected:
  DestinationLockTest() : folder_(machine_.root() / "dest") {
    fs::create_directories(folder_ / "inner");
  }

  testing::TempMachine machine_;
  fs::path folder_;
};

TEST_F(DestinationLockTest, OneHolderPerFolderWhateverPathLeadsThere) {
  std::optional<DestinationLock> first(std::in_place, folder_, u"D:\\dest");
  EXPECT_TRUE(first->acquired());
  // Another run of this process, through the folder's own path or another spelling of it.
  EXPECT_FALSE(DestinationLock(folder_, u"D:\\dest").acquired());
  EXPECT_FALSE(DestinationLock(folder_ / "inner" / "..", u"D:\\dest").acquired());
  // Another folder is free.
  EXPECT_TRUE(DestinationLock(folder_ / "inner", u"D:\\dest\\inner").acquired());
  first.reset();
  EXPECT_TRUE(DestinationLock(folder_, u"D:\\dest").acquired());
  // The lock is the folder's own: no file is made for it.
  EXPECT_EQ(testing::Snapshot(folder_),
            (std::map<std::string, std::string>{{"inner", "<folder>"}}));
}

TEST_F(DestinationLockTest, OneHolderPerFolderThroughALink) {
  if (!testing::MakeFolderLink(folder_, machine_.root() / "alias")) {
    GTEST_SKIP() << testing::kNoFolderLinks;
  }
  std::optional<DestinationLock> first(std::in_place, folder_, u"D:\\dest");
  EXPECT_TRUE(first->acquired());
  EXPECT_FALSE(DestinationLock(machine_.root() / "alias", u"E:\\alias").acquired());
  first.reset();
  EXPECT_TRUE(DestinationLock(machine_.root() / "alias", u"E:\\alias").acquired());
}

#ifdef _WIN32
// Another process holds the lock: a small program of the tests (destination_lock_holder.exe),
// which says on its standard output whether it holds it and then waits to be ended.
TEST_F(DestinationLockTest, AKilledHolderReleasesTheFolderAndLeavesNothingBehind) {
  const auto before = testing::Snapshot(folder_);
  std::optional<testing::Win32Process> holder;
  ASSERT_NO_FATAL_FAILURE(
      testing::StartLockHolderProgram(holder, {folder_.wstring()}, machine_.root()));
  // Another process is refused at once, not kept waiting.
  EXPECT_FALSE(DestinationLock(folder_, u"D:\\dest").acquired());
  holder.reset();  // ended and waited for
  EXPECT_TRUE(DestinationLock(folder_, u"D:\\dest").acquired());
  EXPECT_EQ(testing::Snapshot(folder_), before);
}
#else
TEST_F(DestinationLockTest, AKilledHolderReleasesTheFolderAndLeavesNothingBehind) {
  const auto before = testing::Snapshot(folder_);
  pid_t child = -1;
  char held = 0;
  ASSERT_NO_FATAL_FAILURE(
      (testing::StartLockHolder<DestinationLock>(child, held, folder_, u"D:\\dest")));
  EXPECT_EQ(held, 'y');
  // Another process is refused at once, not kept waiting.
  EXPECT_FALSE(DestinationLock(folder_, u"D:\\dest").acquired());
  ASSERT_NO_FATAL_FAILURE(testing::KillLockHolder(child));
  EXPECT_TRUE(DestinationLock(folder_, u"D:\\dest").acquired());
  EXPECT_EQ(testing::Snapshot(folder_), before);
}

#endif

TEST_F(DestinationLockTest, AFolderThatCannotBeOpenedIsAnErrorNamingIt) {
  testing::WriteBytes(machine_.root() / "file", "x");
  for (const fs::path& path : {machine_.root() / "missing", machine_.root() / "file"}) {
    try {
      const DestinationLock lock(path, u"D:\\X");
      ADD_FAILURE() << path;
    } catch (const Error& error) {
      EXPECT_EQ(error.path(), u"D:\\X");
      EXPECT_NE(error.cause(), ErrorCause::kUnknown);
    }
  }
}

}  // namespace
}  // namespace qe2m4::platform
