// The last converters run on a second thread, yet the destination passes through the states of
// a run on one thread: outputs are published in their fixed order, a failure leaves every file
// after it as it was, and a failure of the second thread is reported after the files before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "app/texts.h"
#include "fail_on.h"
#include "platform/utf8.h"
#include "sample_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::FileOperation;
using testing::SampleMachine;

// The measurement outputs in the order a run publishes them.
const std::vector<std::string> kOutputs = {"N1.txt",  "N1A.txt", "N4.txt", "N11.txt", "N3.txt",
                                           "N12.txt", "N5.txt",  "N6.txt", "N7.txt"};

// The files a run's report lists from N1.txt on (the measurement outputs come last), in order.
std::vector<std::string> ReportedOutputs(const RunResult& result) {
  std::vector<std::string> reported;
  for (const WrittenFile& file : result.report.files) {
    reported.push_back(platform::ToUtf8(file.name));
  }
  const auto first = std::find(reported.begin(), reported.end(), kOutputs.front());
  return std::vector<std::string>(first, reported.end());
}

struct FailureCase {
  const char* what;
  FileOperation operation;
  const char* name;  // the host file name the failing operation concerns
  // How many of kOutputs are the new boring's after the failure; the rest are the earlier.
  std::size_t published;
};

// Failures on the run's own thread (N1 to N12), while the second thread converts X5 to X7 or has
// completed them; failures in the second thread's turn to publish; failures of the second
// thread's own work.
const FailureCase kCases[] = {
    {"first output of the run's thread", FileOperation::kOpen, "N1.txt", 0},
    {"source of the run's thread", FileOperation::kOpen, "X11.TXT", 3},
    {"last output of the run's thread", FileOperation::kRename, "N12.txt", 5},
    {"first held output", FileOperation::kRename, "N5.txt", 6},
    {"second held output", FileOperation::kRename, "N6.txt", 7},
    {"last held output", FileOperation::kRename, "N7.txt", 8},
    {"source of the second thread", FileOperation::kOpen, "X6.TXT", 7},
    {"output of the second thread", FileOperation::kWrite, "N7.txt", 8},
    {"settings of the second thread", FileOperation::kOpen, "L9.txt", 7},
};

TEST(RunOrder, EveryFileAfterAFailureStaysAsItWasWhicheverThreadFailed) {
  SampleMachine clean;
  ASSERT_TRUE(clean.Convert().succeeded);
  for (const std::string& name : kOutputs) {
    ASSERT_TRUE(fs::exists(clean.out() / name)) << name;
  }

  for (const FailureCase& c : kCases) {
    SCOPED_TRACE(c.what);
    SampleMachine m;
    fs::create_directories(m.out());
    for (const std::string& name : kOutputs) {
      testing::WriteBytes(m.out() / name, "earlier " + name + "\r\n");
    }
    m.fs().SetOperationHook(testing::FailOn(c.operation, c.name, EIO));
    const RunResult result = m.Convert();

    ASSERT_FALSE(result.succeeded);
    const std::vector<std::u16string> shown = m.Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].starts_with(texts::kRunError));
    EXPECT_NE(shown[0].find(platform::FromUtf8(c.name)), std::u16string::npos)
        << platform::ToUtf8(shown[0]);
    for (std::size_t k = 0; k < kOutputs.size(); ++k) {
      const std::string& name = kOutputs[k];
      const std::string expected =
          k < c.published ? testing::ReadBytes(clean.out() / name) : "earlier " + name + "\r\n";
      EXPECT_EQ(testing::ReadBytes(m.out() / name), expected) << name;
    }
    EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{});

    // The report lists the published outputs, in their order, and nothing else of them.
    EXPECT_EQ(ReportedOutputs(result),
              std::vector<std::string>(
                  kOutputs.begin(), kOutputs.begin() + static_cast<std::ptrdiff_t>(c.published)));
  }
}

TEST(RunOrder, ACleanRunReportsItsOutputsInTheirFixedOrder) {
  // Many runs: the second thread finishes before or after the first one as it happens.
  for (int run = 0; run < 20; ++run) {
    SampleMachine m;
    const RunResult result = m.Convert();
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(ReportedOutputs(result), kOutputs) << "run " << run;
  }
}

}  // namespace
}  // namespace qe2m4::app
