#include "platform/outputs_together.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/host_output.h"
#include "platform/output_file.h"
#include "platform/temporary_names.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

const std::vector<std::string> kNames = {"A.txt", "B.txt", "C.txt"};

// A drive D: whose three files hold their earlier text.
class OutputsTogetherTest : public ::testing::Test {
 protected:
  OutputsTogetherTest() : d_(machine_.AddDrive(u'D')) {
    for (const std::string& name : kNames) {
      WriteBytes(d_ / name, "earlier\r\n");
    }
  }

  // Writes and commits the output of one name.
  void Write(const std::string& name) {
    OutputFile out(machine_.fs(), u"D:\\" + std::u16string(name.begin(), name.end()));
    out.WriteLine(u"new");
    out.Commit();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const std::string& name : kNames) {
      texts.push_back(ReadBytes(d_ / name));
    }
    return texts;
  }

  bool AnyTemporaryFile() const {
    for (const auto& entry : fs::directory_iterator(d_)) {
      if (IsTemporaryName(entry.path().filename().string())) {
        return true;
      }
    }
    return false;
  }

  TempMachine machine_;
  fs::path d_;
};

using Contents = std::vector<std::string>;

TEST_F(OutputsTogetherTest, OutputsAreInPlaceOnceTheStepsAreDoneAndNotBefore) {
  OutputsTogether together(machine_.fs());
  together.Run([&] {
    for (const std::string& name : kNames) {
      Write(name);
    }
    // Where the system starts write-outs ahead, nothing replaced the earlier files yet;
    // elsewhere each output was committed when it was complete.
    EXPECT_EQ(Texts(), (HostStartsWriteOut() ? Contents{"earlier\r\n", "earlier\r\n", "earlier\r\n"}
                                             : Contents{"new\r\n", "new\r\n", "new\r\n"}));
  });
  EXPECT_EQ(Texts(), (Contents{"new\r\n", "new\r\n", "new\r\n"}));
  EXPECT_EQ(together.removed(), 0u);
  EXPECT_FALSE(AnyTemporaryFile());
}

// Whether it fails at its flush, at its rename or as it is created, the middle output leaves
// the first one new and itself and the last one as they were, on every system; and a step
// that fails after the outputs leaves them all new.
TEST_F(OutputsTogetherTest, AFailureKeepsThoseBeforeItAndRemovesItAndThoseAfter) {
  for (const FileOperation failing :
       {FileOperation::kFlush, FileOperation::kRename, FileOperation::kOpen}) {
    SCOPED_TRACE(static_cast<int>(failing));
    for (const std::string& name : kNames) {
      WriteBytes(d_ / name, "earlier\r\n");
    }
    machine_.fs().SetOperationHook(std::make_unique<FaultInjection>(
        [failing](std::int64_t, FileOperation operation, const fs::path& host) {
          return operation == failing && host.filename() == "B.txt" ? EIO : 0;
        }));
    bool failed = false;
    OutputsTogether together(machine_.fs());
    try {
      together.Run([&] {
        for (const std::string& name : kNames) {
          Write(name);
        }
      });
    } catch (const Error& error) {
      failed = true;
      EXPECT_EQ(error.kind(), ErrorKind::kWrite);
      EXPECT_EQ(error.path(), u"D:\\B.txt");
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(Texts(), (Contents{"new\r\n", "earlier\r\n", "earlier\r\n"}));
    // Created, B never was handed over, nor was C; flushed or renamed, both were and are gone.
    const std::size_t handed = HostStartsWriteOut() && failing != FileOperation::kOpen ? 2 : 0;
    EXPECT_EQ(together.removed(), handed);
    EXPECT_FALSE(AnyTemporaryFile());
    machine_.fs().SetOperationHook(nullptr);
  }
  for (const std::string& name : kNames) {
    WriteBytes(d_ / name, "earlier\r\n");
  }
  OutputsTogether together(machine_.fs());
  EXPECT_THROW(together.Run([&] {
    for (const std::string& name : kNames) {
      Write(name);
    }
    throw Error(ErrorKind::kRead, u"S:\\X7.TXT", "a source that cannot be read");
  }),
               Error);
  EXPECT_EQ(Texts(), (Contents{"new\r\n", "new\r\n", "new\r\n"}));
  EXPECT_FALSE(AnyTemporaryFile());
}

TEST_F(OutputsTogetherTest, WhatTheScopeHoldsWhenItEndsWithoutCommitIsRemoved) {
  {
    OutputsTogether together(machine_.fs());
    Write("A.txt");
    Write("B.txt");
  }
  EXPECT_EQ(Texts(), (HostStartsWriteOut() ? Contents{"earlier\r\n", "earlier\r\n", "earlier\r\n"}
                                           : Contents{"new\r\n", "new\r\n", "earlier\r\n"}));
  EXPECT_FALSE(AnyTemporaryFile());
  // The file system commits at once again.
  Write("C.txt");
  EXPECT_EQ(ReadBytes(d_ / "C.txt"), "new\r\n");
}

// The handles open at once stay few however many outputs the steps make (a source folder can
// hold many pass-through copies); the outputs keep their order, and a failure in the middle
// leaves exactly those before it new.
TEST_F(OutputsTogetherTest, ManyOutputsKeepFewHandlesOpenAndTheirOrder) {
  constexpr int kCount = 40;
  const auto name_of = [](int i) { return "F" + std::to_string(i) + ".txt"; };
  const auto open_handles = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  };
  const bool count_handles = fs::is_directory("/proc/self/fd");
  for (const bool fail : {false, true}) {
    SCOPED_TRACE(fail);
    for (int i = 1; i <= kCount; ++i) {
      WriteBytes(d_ / name_of(i), "earlier\r\n");
    }
    if (fail) {
      machine_.fs().SetOperationHook(std::make_unique<FaultInjection>(
          [](std::int64_t, FileOperation operation, const fs::path& host) {
            return operation == FileOperation::kFlush && host.filename() == "F20.txt" ? EIO : 0;
          }));
    }
    const std::ptrdiff_t before = count_handles ? open_handles() : 0;
    OutputsTogether together(machine_.fs());
    try {
      together.Run([&] {
        for (int i = 1; i <= kCount; ++i) {
          Write(name_of(i));
          if (count_handles) {
            EXPECT_LE(open_handles() - before, 17) << i;
          }
        }
      });
      EXPECT_FALSE(fail);
    } catch (const Error& error) {
      EXPECT_TRUE(fail);
      EXPECT_EQ(error.path(), u"D:\\F20.txt");
    }
    for (int i = 1; i <= kCount; ++i) {
      EXPECT_EQ(ReadBytes(d_ / name_of(i)), fail && i >= 20 ? "earlier\r\n" : "new\r\n") << i;
    }
    EXPECT_FALSE(AnyTemporaryFile());
    machine_.fs().SetOperationHook(nullptr);
  }
}

}  // namespace
}  // namespace qe2m4::platform
