// The sample conversion with a failure injected at every file operation in turn, as SQLite tests
// its I/O errors: whatever fails, the source stays as it was, nothing half-done is left, and every
// file with a final name is either the clean run's or the one that was there before.
#include "platform/fault_injection.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <map>
#include <memory>

#include "app/texts.h"
#include "platform/utf8.h"
#include "sample_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::FaultInjection;
using testing::SampleMachine;
using testing::Snapshot;

// What an earlier boring left in the destination folder, under the outputs' own names.
const std::map<std::string, std::string> kEarlierBoring = {
    {"CNT.TXT", "old\r\n"},   {"N1.txt", "old N1\r\n"}, {"N2.TXT", "old N2\r\n"},
    {"N6.txt", "old N6\r\n"}, {"Titl1.txt", "old\r\n"}, {"N7.txt", "old N7\r\n"},
};

// The failures cycle through the common causes.
constexpr std::array<int, 4> kErrors = {EIO, ENOSPC, EACCES, EROFS};

// Runs the sweep; returns the number of file operations of a complete run.
std::int64_t Sweep(bool earlier_boring) {
  SampleMachine clean;
  EXPECT_TRUE(clean.Convert().succeeded);
  const auto clean_files = Snapshot(clean.out());

  for (std::int64_t n = 1;; ++n) {
    SampleMachine m;
    if (earlier_boring) {
      for (const auto& [name, bytes] : kEarlierBoring) {
        testing::WriteBytes(m.out() / name, bytes);
      }
    }
    const auto source_before = Snapshot(m.s());
    auto hook = std::make_unique<FaultInjection>(
        FaultInjection::FailNth(n, kErrors[static_cast<std::size_t>(n) % kErrors.size()]));
    const FaultInjection& faults = *hook;
    m.fs().SetOperationHook(std::move(hook));
    const RunResult result = m.Convert();

    if (faults.failures() == 0) {
      // Past the last operation: the run is complete and equals the clean run.
      EXPECT_TRUE(result.succeeded);
      EXPECT_EQ(Snapshot(m.out()), clean_files);
      return n - 1;
    }
    // The path says which operation failed.
    SCOPED_TRACE("failure at operation " + std::to_string(n) + " (" + faults.failed().string() +
                 ")");
    // Besides the folder question, at most one message: the run's error.
    const std::vector<std::u16string> shown = m.Shown();
    if (!result.succeeded) {
      EXPECT_EQ(shown.size(), 1u);
      EXPECT_TRUE(!shown.empty() && shown[0].starts_with(texts::kRunError));
    } else {
      EXPECT_TRUE(shown.empty());
    }
    EXPECT_EQ(Snapshot(m.s()), source_before);
    EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{});
    for (const auto& [name, bytes] : Snapshot(m.d())) {
      const std::string file = fs::path(name).filename().string();
      if (bytes == "<folder>") {
        continue;
      }
      const auto clean_it = clean_files.find(file);
      const auto earlier_it = kEarlierBoring.find(file);
      const bool is_clean = clean_it != clean_files.end() && clean_it->second == bytes;
      const bool is_earlier =
          earlier_boring && earlier_it != kEarlierBoring.end() && earlier_it->second == bytes;
      EXPECT_TRUE(is_clean || is_earlier) << name;
    }
    if (::testing::Test::HasFailure()) {
      return n;  // one broken case is enough to look at
    }
  }
}

TEST(FaultInjection, TheSampleRunFailingAtEveryOperationInAFreshDestination) {
  // Every kind of operation takes part in the sample run, so the sweep fails each of them.
  SampleMachine counted;
  std::map<platform::FileOperation, int> kinds;
  counted.fs().SetOperationHook(std::make_unique<FaultInjection>(
      [&kinds](std::int64_t, platform::FileOperation operation, const fs::path&) {
        ++kinds[operation];
        return 0;
      }));
  ASSERT_TRUE(counted.Convert().succeeded);
  using Op = platform::FileOperation;
  for (const Op op : {Op::kOpen, Op::kRead, Op::kWrite, Op::kFlush, Op::kRename, Op::kDelete,
                      Op::kCreateFolder, Op::kCopy}) {
    EXPECT_GT(kinds[op], 0) << static_cast<int>(op);
  }
  const std::int64_t operations = Sweep(false);
  EXPECT_GT(operations, 50);
  std::printf("file operations of the sample run: %lld\n", static_cast<long long>(operations));
}

TEST(FaultInjection, TheSampleRunFailingAtEveryOperationOverAnEarlierBoring) {
  EXPECT_GT(Sweep(true), 50);
}

}  // namespace
}  // namespace qe2m4::app
