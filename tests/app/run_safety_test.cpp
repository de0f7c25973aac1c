// The run's safety: the source is never changed, only a missing file is missing, one run per
// destination, title copies that never outlive the run, no abort, interrupts between files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>

#include "app/texts.h"
#include "platform/destination_lock.h"
#include "platform/fault_injection.h"
#include "platform/interrupt.h"
#include "platform/utf8.h"
#include "sample_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::FaultInjection;
using platform::FileOperation;
using testing::SampleMachine;
using testing::Snapshot;

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

// A hook that fails one kind of operation on the host files of one name.
std::unique_ptr<FaultInjection> FailOn(FileOperation failing, std::string name, int error_number) {
  return std::make_unique<FaultInjection>(
      [failing, name, error_number](std::int64_t, FileOperation operation, const fs::path& host) {
        return operation == failing && host.filename() == name ? error_number : 0;
      });
}

void MakeFifo(const fs::path& path) {
  fs::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

void MakeFolder(const fs::path& path) {
  fs::remove(path);
  fs::create_directory(path);
}

TEST(RunSafety, TheSourceIsRefusedAsDestinationThroughEveryAlias) {
  const struct {
    const char* what;
    std::function<void(SampleMachine&)> set_up;
    std::u16string_view destination;
  } cases[] = {
      {"a link on the drive folder",
       [](SampleMachine& m) {
         fs::create_directory_symlink(m.s(), m.d() / "alias");
         m.fs().MapDrive(u'L', m.d() / "alias");
       },
       u"L:\\BORING1"},
      {"a link on an inner level",
       [](SampleMachine& m) { fs::create_directory_symlink(m.s() / "BORING1", m.d() / "inner"); },
       u"D:\\inner"},
      {"a link on a level above",
       [](SampleMachine& m) { fs::create_directory_symlink(m.s(), m.d() / "up"); },
       u"D:\\UP\\boring1"},
      {"two letters on one folder", [](SampleMachine& m) { m.fs().MapDrive(u'T', m.s()); },
       u"t:\\Boring1"},
  };
  for (const auto& c : cases) {
    SampleMachine m;
    c.set_up(m);
    const auto before = Snapshot(m.s());
    const RunResult result = m.Convert(c.destination);
    EXPECT_FALSE(result.succeeded) << c.what;
    EXPECT_EQ(m.Shown(), std::vector<std::u16string>{std::u16string(texts::kSameFolder)}) << c.what;
    EXPECT_EQ(Snapshot(m.s()), before) << c.what;
  }
}

TEST(RunSafety, EveryFileTheRunReadsIsAnErrorWhenItIsThereButCannotBeRead) {
  const struct {
    const char* what;
    std::function<void(SampleMachine&)> set_up;
    std::u16string path;                   // the file the message names
    std::u16string_view cause;             // the reason it gives
    std::vector<const char*> not_written;  // outputs that must not exist
  } cases[] = {
      {"X1 is a folder",
       [](SampleMachine& m) { MakeFolder(m.s() / "BORING1" / "X1.TXT"); },
       u"S:\\BORING1\\X1.txt",
       texts::kCauseIsAFolder,
       {"N1.txt", "CNT.TXT"}},
      {"X1 cannot be opened",
       [](SampleMachine& m) {
         m.fs().SetOperationHook(FailOn(FileOperation::kOpen, "X1.TXT", EACCES));
       },
       u"S:\\BORING1\\X1.TXT",
       texts::kCauseAccessDenied,
       {"N1.txt", "N1A.txt"}},
      {"X4 is a FIFO",
       [](SampleMachine& m) { MakeFifo(m.s() / "BORING1" / "X4.TXT"); },
       u"S:\\BORING1\\X4.TXT",
       texts::kCauseNotAFile,
       {"N4.txt"}},
      {"CNT is a folder",
       [](SampleMachine& m) { MakeFolder(m.s() / "BORING1" / "CNT.TXT"); },
       u"S:\\BORING1\\CNT.TXT",
       texts::kCauseIsAFolder,
       {"CNT.TXT"}},
      {"N2 is a FIFO",
       [](SampleMachine& m) { MakeFifo(m.s() / "BORING1" / "N2.TXT"); },
       u"S:\\BORING1\\N2.TXT",
       texts::kCauseNotAFile,
       {"N2.TXT"}},
      {"titl02 is a FIFO",
       [](SampleMachine& m) { MakeFifo(m.s() / "BORING1" / "titl02.txt"); },
       u"S:\\BORING1\\titl02.txt",
       texts::kCauseNotAFile,
       {"Titl1.txt", "Titl2.txt"}},
      {"X6 is a FIFO",
       [](SampleMachine& m) { MakeFifo(m.s() / "BORING1" / "X6.TXT"); },
       u"S:\\BORING1\\X6.txt",
       texts::kCauseNotAFile,
       {"N6.txt"}},
      {"X7 cannot be read",
       [](SampleMachine& m) {
         m.fs().SetOperationHook(FailOn(FileOperation::kRead, "X7.TXT", EIO));
       },
       u"S:\\BORING1\\X7.TXT",
       texts::kCauseIoError,
       {"N7.txt"}},
      {"X12 is a link in a loop",
       [](SampleMachine& m) {
         fs::remove(m.s() / "BORING1" / "X12.TXT");
         fs::create_symlink("X12.TXT", m.s() / "BORING1" / "X12.TXT");
       },
       u"S:\\BORING1\\X12.TXT",
       texts::kCauseLinkLoop,
       {"N12.txt"}},
      {"L9 is a folder",
       [](SampleMachine& m) { MakeFolder(m.s() / "PATDAT" / "L9.txt"); },
       u"S:\\PATDAT\\L9.txt",
       texts::kCauseIsAFolder,
       {"N6.txt"}},
      {"Patdat32.ini cannot be read",
       [](SampleMachine& m) {
         m.fs().SetOperationHook(FailOn(FileOperation::kOpen, "Patdat32.ini", EIO));
       },
       u"S:\\Patdat32.ini",
       texts::kCauseIoError,
       {"N6.txt"}},
  };
  for (const auto& c : cases) {
    SampleMachine m;
    c.set_up(m);
    const auto before = Snapshot(m.s());
    const RunResult result = m.Convert();
    EXPECT_FALSE(result.succeeded) << c.what;
    ASSERT_EQ(m.Shown().size(), 1u) << c.what;
    const std::u16string text = m.Shown()[0];
    EXPECT_TRUE(text.starts_with(texts::kRunError)) << c.what;
    EXPECT_TRUE(Contains(text, u"\n" + c.path + u"\n")) << c.what << ": " << platform::ToUtf8(text);
    EXPECT_TRUE(text.ends_with(c.cause)) << c.what << ": " << platform::ToUtf8(text);
    for (const char* name : c.not_written) {
      EXPECT_FALSE(fs::exists(m.out() / name)) << c.what << ": " << name;
    }
    EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{}) << c.what;
    EXPECT_EQ(Snapshot(m.s()), before) << c.what;
  }
}

TEST(RunSafety, TitlesComeOnlyFromCopiesThisRunMade) {
  // The titles of a boring without title files, as a clean run writes them.
  SampleMachine clean;
  for (const char* name : {"titl01.txt", "titl02.txt", "titl03.txt"}) {
    fs::remove(clean.s() / "BORING1" / name);
  }
  ASSERT_TRUE(clean.Convert().succeeded);
  // Copies left in the destination by an earlier boring are not this boring's titles.
  SampleMachine stale;
  for (const char* name : {"titl01.txt", "titl02.txt", "titl03.txt"}) {
    fs::rename(stale.s() / "BORING1" / name, stale.s() / name);
    testing::WriteBytes(stale.out() / name, testing::ReadBytes(stale.s() / name));
  }
  ASSERT_TRUE(stale.Convert().succeeded);
  for (const char* name : {"Titl1.txt", "Titl2.txt"}) {
    EXPECT_EQ(testing::ReadBytes(stale.out() / name), testing::ReadBytes(clean.out() / name))
        << name;
  }
  EXPECT_EQ(SampleMachine::Leftovers(stale.out()), std::vector<std::string>{});
}

TEST(RunSafety, NoTitleCopyOutlivesAFailedRun) {
  SampleMachine m;
  fs::create_directories(m.out() / "CNT.TXT");  // the write after the copies fails
  EXPECT_FALSE(m.Convert().succeeded);
  EXPECT_TRUE(fs::exists(m.out() / "N2.TXT"));  // completed before the failure: stays
  EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{});
}

TEST(RunSafety, ADestinationThatAnotherRunWritesIsRefusedAtOnce) {
  SampleMachine m;
  fs::create_directories(m.out());
  fs::create_directory_symlink(m.out(), m.d() / "same");
  const auto before = Snapshot(m.d());
  {
    // The other run reaches the folder by another path.
    const platform::DestinationLock other(m.d() / "same", u"D:\\same");
    ASSERT_TRUE(other.acquired());
    EXPECT_FALSE(m.Convert().succeeded);
    EXPECT_EQ(m.Shown(), std::vector<std::u16string>{std::u16string(texts::kDestinationBusy)});
    EXPECT_EQ(m.ui().status, u"");
    EXPECT_EQ(Snapshot(m.d()), before);
  }
  EXPECT_TRUE(m.Convert().succeeded);
}

TEST(RunSafety, TemporaryFilesOfDeadRunsGoAndNothingElse) {
  SampleMachine m;
  for (const char* name : {".~N1.txt.1234.tmp", ".~Titl1.txt.99.tmp", ".~mine.tmp", "notes.tmp"}) {
    testing::WriteBytes(m.out() / name, "left");
  }
  ASSERT_TRUE(m.Convert().succeeded);
  EXPECT_FALSE(fs::exists(m.out() / ".~N1.txt.1234.tmp"));
  EXPECT_FALSE(fs::exists(m.out() / ".~Titl1.txt.99.tmp"));
  EXPECT_TRUE(fs::exists(m.out() / ".~mine.tmp"));
  EXPECT_TRUE(fs::exists(m.out() / "notes.tmp"));
}

TEST(RunSafety, OutOfMemoryAndOtherFaultsAreRunErrorsNotAborts) {
  const struct {
    std::function<void()> fault;
    std::u16string_view reason;
  } cases[] = {
      {[] { throw std::bad_alloc(); }, texts::kCauseOutOfMemory},
      {[] { throw std::length_error("basic_string::_M_create"); }, u"basic_string::_M_create"},
  };
  for (const auto& c : cases) {
    SampleMachine m;
    // At the tenth file operation, well inside the conversion.
    m.fs().SetOperationHook(
        std::make_unique<FaultInjection>([&c](std::int64_t number, FileOperation, const fs::path&) {
          if (number == 10) {
            c.fault();
          }
          return 0;
        }));
    EXPECT_FALSE(m.Convert().succeeded);
    EXPECT_EQ(m.Shown(), std::vector<std::u16string>{std::u16string(texts::kRunError) + u"\n" +
                                                     std::u16string(c.reason)});
    EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{});
  }
}

TEST(RunSafety, ADestinationTooLongForTheSystemIsRefusedBeforeAnyFolderIsMade) {
  SampleMachine m;
  std::u16string destination = u"D:";
  for (int level = 0; level < 600; ++level) {
    destination += u"\\level" + platform::FromUtf8(std::to_string(level));
  }
  const auto before = Snapshot(m.d());
  EXPECT_FALSE(m.Convert(destination).succeeded);
  ASSERT_EQ(m.Shown().size(), 1u);
  EXPECT_TRUE(m.Shown()[0].ends_with(texts::kCauseNameTooLong));
  EXPECT_EQ(Snapshot(m.d()), before);
}

TEST(RunSafety, X6DataThatIsNotConvertedForWantOfPatdatIniIsReported) {
  using Reason = NotWrittenFile::Reason;
  const struct {
    const char* what;
    std::function<void(SampleMachine&)> set_up;
    std::vector<Reason> reasons;
  } cases[] = {
      {"with Patdat32.ini", [](SampleMachine&) {}, {}},
      {"without",
       [](SampleMachine& m) { fs::remove(m.s() / "Patdat32.ini"); },
       {Reason::kNoPatdatIni}},
      {"empty",
       [](SampleMachine& m) { testing::WriteBytes(m.s() / "Patdat32.ini", ""); },
       {Reason::kNoPatdatIni}},
      {"a FIFO",
       [](SampleMachine& m) { MakeFifo(m.s() / "Patdat32.ini"); },
       {Reason::kPatdatIniIgnored}},
      {"too large",
       [](SampleMachine& m) {
         testing::WriteBytes(m.s() / "Patdat32.ini",
                             "x\r\nS:\\PATDAT\\\r\n" + std::string(1 << 20, ' '));
       },
       {Reason::kPatdatIniIgnored}},
  };
  for (const auto& c : cases) {
    SampleMachine m;
    c.set_up(m);
    const RunResult result = m.Convert();
    EXPECT_TRUE(result.succeeded) << c.what;
    std::vector<Reason> reasons;
    for (const NotWrittenFile& file : result.report.not_written) {
      EXPECT_EQ(file.name, u"N6.txt");
      EXPECT_EQ(file.settings, u"S:\\Patdat32.ini");
      reasons.push_back(file.reason);
    }
    EXPECT_EQ(reasons, c.reasons) << c.what;
    EXPECT_EQ(fs::exists(m.out() / "N6.txt"), c.reasons.empty()) << c.what;
  }
}

// In a child process (the interrupt flag lasts for the process): an interrupt that comes while
// the run works on the file `name` ends the run at the next boundary between files. Exits with
// the interrupt's code when the run reported it and left neither a temporary file nor a title
// copy, and every output it did complete is whole; 1 otherwise.
int InterruptWhileWorkingOn(const std::string& name, FileOperation operation) {
  platform::InstallInterruptHandlers();
  SampleMachine clean;
  if (!clean.Convert().succeeded) {
    return 1;
  }
  SampleMachine m;
  m.fs().SetOperationHook(std::make_unique<FaultInjection>(
      [name, operation](std::int64_t, FileOperation op, const fs::path& host) {
        if (op == operation && host.filename() == name) {
          ::raise(SIGTERM);
        }
        return 0;
      }));
  const RunResult result = m.Convert();
  bool whole = true;
  for (const auto& entry : fs::directory_iterator(m.out())) {
    whole = whole && testing::ReadBytes(entry.path()) ==
                         testing::ReadBytes(clean.out() / entry.path().filename());
  }
  const bool ok = result.interrupted && !result.succeeded &&
                  m.Shown() == std::vector<std::u16string>{std::u16string(texts::kInterrupted)} &&
                  SampleMachine::Leftovers(m.out()).empty() && whole &&
                  !fs::exists(m.out() / "N7.txt");
  std::fprintf(stderr, "interrupted=%d messages=%zu whole=%d\n", result.interrupted,
               m.Shown().size(), whole);
  return ok ? platform::InterruptExitCode() : 1;
}

TEST(RunSafetyDeathTest, AnInterruptEndsTheRunBetweenFilesLeavingNoTemporaryFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    const char* name;
    FileOperation operation;
  } cases[] = {
      {"titl02.txt", FileOperation::kCopy},  // among the copies: they are removed
      {"N1.txt", FileOperation::kWrite},     // inside an output: it is completed, then the end
      {"Titl1.txt", FileOperation::kOpen},
      {"N6.txt", FileOperation::kRename},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(std::exit(InterruptWhileWorkingOn(c.name, c.operation)),
                ::testing::ExitedWithCode(143), "interrupted=1")
        << c.name;
  }
}

}  // namespace
}  // namespace qe2m4::app
