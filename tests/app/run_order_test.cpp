// The destination passes through the outputs in their fixed order: a failure leaves every file
// before it new and every file after it as it was, and the report lists what was published.
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

// Failures of an output's creation, of its source, of its flush, of its replacing the old file,
// and of the table X6 reads, from the first output to the last.
const FailureCase kCases[] = {
    {"first output created", FileOperation::kOpen, "N1.txt", 0},
    {"a source opened", FileOperation::kOpen, "X11.TXT", 3},
    {"N3 made durable", FileOperation::kFlush, "N3.txt", 4},
    {"N12 replacing the old file", FileOperation::kRename, "N12.txt", 5},
    {"N5 replacing the old file", FileOperation::kRename, "N5.txt", 6},
    {"N6 replacing the old file", FileOperation::kRename, "N6.txt", 7},
    {"last output replacing the old file", FileOperation::kRename, "N7.txt", 8},
    {"X6 opened", FileOperation::kOpen, "X6.TXT", 7},
    {"last output written", FileOperation::kWrite, "N7.txt", 8},
    {"the table of X6 opened", FileOperation::kOpen, "L9.txt", 7},
};

TEST(RunOrder, EveryFileAfterAFailureStaysAsItWas) {
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

// The pass-through copies are flushed together too: one that fails, at its flush or as it
// replaces the old file, leaves the copies before it new and itself and those after it as they
// were, and the run goes no further.
TEST(RunOrder, APassThroughCopyThatFailsLeavesTheCopiesAfterItAsTheyWere) {
  SampleMachine clean;
  ASSERT_TRUE(clean.Convert().succeeded);
  const std::vector<std::string> copies = {"N10.TXT", "N2.TXT", "N8.TXT", "N9.TXT"};
  for (const FileOperation operation : {FileOperation::kFlush, FileOperation::kRename}) {
    SCOPED_TRACE(static_cast<int>(operation));
    SampleMachine m;
    fs::create_directories(m.out());
    for (const std::string& name : copies) {
      testing::WriteBytes(m.out() / name, "earlier " + name + "\r\n");
    }
    m.fs().SetOperationHook(testing::FailOn(operation, "N8.TXT", EIO));
    const RunResult result = m.Convert();

    ASSERT_FALSE(result.succeeded);
    const std::vector<std::u16string> shown = m.Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(u"N8.TXT"), std::u16string::npos) << platform::ToUtf8(shown[0]);
    for (std::size_t k = 0; k < copies.size(); ++k) {
      const std::string& name = copies[k];
      EXPECT_EQ(testing::ReadBytes(m.out() / name),
                k < 2 ? testing::ReadBytes(clean.out() / name) : "earlier " + name + "\r\n")
          << name;
    }
    EXPECT_FALSE(fs::exists(m.out() / "CNT.TXT"));
    EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{});
    std::vector<std::string> reported;
    for (const WrittenFile& file : result.report.files) {
      reported.push_back(platform::ToUtf8(file.name));
    }
    EXPECT_EQ(reported, (std::vector<std::string>{"N10.TXT", "N2.TXT"}));
  }
}

TEST(RunOrder, ACleanRunReportsItsOutputsInTheirFixedOrder) {
  SampleMachine m;
  const RunResult result = m.Convert();
  ASSERT_TRUE(result.succeeded);
  EXPECT_EQ(ReportedOutputs(result), kOutputs);
}

}  // namespace
}  // namespace qe2m4::app
