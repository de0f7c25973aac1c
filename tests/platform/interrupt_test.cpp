#include "platform/interrupt.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/error.h"
#include "platform/host_file.h"
#include "platform/interrupted.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

// The flag lives for the whole process, so each case runs in a child process of its own.
TEST(InterruptDeathTest, EachSignalSetsTheFlagAndItsExitCodeInsteadOfEndingTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    int signal_number;
    int exit_code;
  } cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          InstallInterruptHandlers();
          const bool before = InterruptRequested();
          ::raise(c.signal_number);
          // A second, different signal does not change which one is reported.
          ::raise(c.signal_number == SIGINT ? SIGTERM : SIGINT);
          bool stopped = false;
          try {
            StopIfInterrupted();
          } catch (const Interrupted&) {
            stopped = true;
          }
          std::exit(!before && InterruptRequested() && stopped ? InterruptExitCode() : 1);
        },
        ::testing::ExitedWithCode(c.exit_code), "")
        << c.signal_number;
  }
}

// Under a file-size limit of 4096 bytes, writes 8192: 7 when that is reported as a write error
// with its cause and no file is left, 1 otherwise (the signal would end the process instead).
int WriteOverAFileSizeLimit(const std::filesystem::path& target) {
  InstallInterruptHandlers();
  const rlimit limit{4096, 4096};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  try {
    AtomicFile file(target, u"D:\\big.txt");
    file.Write(std::string(8192, 'x'));
    file.Commit();
  } catch (const Error& error) {
    return error.cause() == ErrorCause::kFileTooLarge && !std::filesystem::exists(target) ? 7 : 1;
  }
  return 1;
}

TEST(InterruptDeathTest, AFileSizeLimitIsAWriteErrorNotTheEndOfTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing::TempMachine machine;
  const std::filesystem::path target = machine.root() / "big.txt";
  EXPECT_EXIT(std::exit(WriteOverAFileSizeLimit(target)), ::testing::ExitedWithCode(7), "");
}

}  // namespace
}  // namespace qe2m4::platform
