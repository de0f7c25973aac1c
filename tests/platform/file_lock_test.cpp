#include "platform/file_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/temporary_names.h"
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

class FileLockTest : public ::testing::Test {
 protected:
  FileLockTest() : folder_(machine_.root() / "reports"), target_(folder_ / "r.csv") {
    fs::create_directories(folder_);
  }

  testing::TempMachine machine_;
  fs::path folder_;
  fs::path target_;
};

TEST_F(FileLockTest, OneWriterPerFileWhateverPathLeadsThereAndNothingIsLeftBehind) {
  EXPECT_EQ(LockFileName(target_), folder_ / ".~r.csv.lock");
  {
    const FileLock first(target_);
    EXPECT_TRUE(first.acquired());
    EXPECT_FALSE(FileLock(target_).acquired());
    fs::create_directories(machine_.root() / "x");
    EXPECT_FALSE(FileLock(machine_.root() / "x" / ".." / "reports" / "r.csv").acquired());
    // Another file of the folder has a lock of its own.
    EXPECT_TRUE(FileLock(folder_ / "r-soil.csv").acquired());
    if (testing::MakeFolderLink(folder_, machine_.root() / "alias")) {
      EXPECT_FALSE(FileLock(machine_.root() / "alias" / "r.csv").acquired());
    }
  }
  EXPECT_TRUE(FileLock(target_).acquired());
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(FileLockTest, WhereNoLockFileCanBeMadeTheWriteItselfSaysWhy) {
  EXPECT_TRUE(FileLock(machine_.root() / "missing" / "r.csv").acquired());
  EXPECT_FALSE(fs::exists(machine_.root() / "missing"));
}

#ifdef _WIN32
// Another process holds the lock: the tests' holder program (destination_lock_holder.exe).
TEST_F(FileLockTest, AKilledHolderReleasesTheFile) {
  std::optional<testing::Win32Process> holder;
  ASSERT_NO_FATAL_FAILURE(
      testing::StartLockHolderProgram(holder, {L"--file", target_.wstring()}, machine_.root()));
  EXPECT_FALSE(FileLock(target_).acquired());
  holder.reset();  // ended and waited for
  EXPECT_TRUE(FileLock(target_).acquired());
  EXPECT_TRUE(fs::is_empty(folder_));
}
#else
TEST_F(FileLockTest, AKilledHolderReleasesTheFileAndTheNextWriterRemovesWhatItLeft) {
  pid_t child = -1;
  char held = 0;
  ASSERT_NO_FATAL_FAILURE((testing::StartLockHolder<FileLock>(child, held, target_)));
  EXPECT_EQ(held, 'y');
  // Another process is refused at once, not kept waiting.
  EXPECT_FALSE(FileLock(target_).acquired());
  ASSERT_NO_FATAL_FAILURE(testing::KillLockHolder(child));
  // The killed holder could not remove its lock file; the next writer takes it over.
  EXPECT_TRUE(fs::is_regular_file(LockFileName(target_)));
  {
    const FileLock next(target_);
    EXPECT_TRUE(next.acquired());
    EXPECT_FALSE(FileLock(target_).acquired());
  }
  EXPECT_TRUE(fs::is_empty(folder_));
}
#endif

}  // namespace
}  // namespace qe2m4::platform
