// The run's safety: the source is never changed, only a missing file is missing, one run per
// destination, title copies that never outlive the run, no abort, interrupts between files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>

#include "app/texts.h"
#include "fail_on.h"
#include "platform/destination_lock.h"
#include "platform/fault_injection.h"
#include "platform/host_output.h"
#include "platform/interrupt.h"
#include "platform/utf8.h"
#include "sample_machine.h"
#include "support/host_environment.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::FaultInjection;
using platform::FileOperation;
using testing::FailOn;
using testing::SampleMachine;
using testing::Snapshot;

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

#ifndef _WIN32
void MakeFifo(const fs::path& path) {
  fs::remove(path);
  ASSERT_TRUE(testing::MakeFifo(path)) << path;
}
#endif

// Every name below a host folder, links not followed.
std::vector<fs::path> Names(const fs::path& folder) {
  std::vector<fs::path> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(fs::relative(entry.path(), folder));
  }
  std::sort(names.begin(), names.end());
  return names;
}

void MakeFolder(const fs::path& path) {
  fs::remove(path);
  fs::create_directory(path);
}

TEST(RunSafety, TheSourceIsRefusedAsDestinationThroughAnotherLetterOrLetterCase) {
  SampleMachine m;
  m.fs().MapDrive(u'T', m.s());
  const auto before = Snapshot(m.s());
  for (const std::u16string_view destination : {u"t:\\Boring1", u"S:\\boring1"}) {
    EXPECT_FALSE(m.Convert(destination).succeeded) << platform::ToUtf8(destination);
    EXPECT_EQ(m.Shown(), std::vector<std::u16string>{std::u16string(texts::kSameFolder)});
    EXPECT_EQ(Snapshot(m.s()), before);
  }
}

TEST(RunSafety, TheSourceIsRefusedAsDestinationThroughEveryLink) {
  const struct {
    const char* what;
    std::function<bool(SampleMachine&)> set_up;  // false when the system made no link
    std::u16string_view destination;
  } cases[] = {
      {"a link on the drive folder",
       [](SampleMachine& m) {
         if (!testing::MakeFolderLink(m.s(), m.d() / "alias")) {
           return false;
         }
         m.fs().MapDrive(u'L', m.d() / "alias");
         return true;
       },
       u"L:\\BORING1"},
      {"a link on an inner level",
       [](SampleMachine& m) { return testing::MakeFolderLink(m.s() / "BORING1", m.d() / "inner"); },
       u"D:\\inner"},
      {"a link on a level above",
       [](SampleMachine& m) { return testing::MakeFolderLink(m.s(), m.d() / "up"); },
       u"D:\\UP\\boring1"},
  };
  for (const auto& c : cases) {
    SampleMachine m;
    if (!c.set_up(m)) {
      GTEST_SKIP() << testing::kNoFolderLinks;
    }
    const auto before = Snapshot(m.s());
    const RunResult result = m.Convert(c.destination);
    EXPECT_FALSE(result.succeeded) << c.what;
    EXPECT_EQ(m.Shown(), std::vector<std::u16string>{std::u16string(texts::kSameFolder)}) << c.what;
    EXPECT_EQ(Snapshot(m.s()), before) << c.what;
  }
}

TEST(RunSafety, EveryFileTheRunReadsIsAnErrorWhenItIsThereButCannotBeRead) {
  struct Case {
    const char* what;
    std::function<void(SampleMachine&)> set_up;
    std::u16string path;                   // the file the message names
    std::u16string_view cause;             // the reason it gives
    std::vector<const char*> not_written;  // outputs that must not exist
  };
  std::vector<Case> cases = {
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
      {"CNT is a folder",
       [](SampleMachine& m) { MakeFolder(m.s() / "BORING1" / "CNT.TXT"); },
       u"S:\\BORING1\\CNT.TXT",
       texts::kCauseIsAFolder,
       {"CNT.TXT"}},
      {"X7 cannot be read",
       [](SampleMachine& m) {
         m.fs().SetOperationHook(FailOn(FileOperation::kRead, "X7.TXT", EIO));
       },
       u"S:\\BORING1\\X7.TXT",
       texts::kCauseIoError,
       {"N7.txt"}},
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
#ifndef _WIN32
  // FIFOs and links to files: POSIX things (Windows's named pipes live outside the file system,
  // and a link to a file needs a privilege Windows users lack).
  const std::vector<Case> posix_cases = {
      {"X4 is a FIFO",
       [](SampleMachine& m) { MakeFifo(m.s() / "BORING1" / "X4.TXT"); },
       u"S:\\BORING1\\X4.TXT",
       texts::kCauseNotAFile,
       {"N4.txt"}},
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
      {"X12 is a link in a loop",
       [](SampleMachine& m) {
         fs::remove(m.s() / "BORING1" / "X12.TXT");
         fs::create_symlink("X12.TXT", m.s() / "BORING1" / "X12.TXT");
       },
       u"S:\\BORING1\\X12.TXT",
       texts::kCauseLinkLoop,
       {"N12.txt"}},
  };
  cases.insert(cases.end(), posix_cases.begin(), posix_cases.end());
#endif
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
  // The other run reaches the folder by another path: through a link where the system makes
  // one, else through a level above and back.
  const fs::path other_path =
      testing::MakeFolderLink(m.out(), m.d() / "same") ? m.d() / "same" : m.out() / ".." / "C";
  {
    const platform::DestinationLock other(other_path, u"D:\\same");
    ASSERT_TRUE(other.acquired());
    // Names only: on Windows the lock is a file in the folder that no one else may open.
    const auto before = Names(m.d());
    EXPECT_FALSE(m.Convert().succeeded);
    EXPECT_EQ(m.Shown(), std::vector<std::u16string>{std::u16string(texts::kDestinationBusy)});
    EXPECT_EQ(m.ui().status, u"");
    EXPECT_EQ(Names(m.d()), before);
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
  struct Case {
    const char* what;
    std::function<void(SampleMachine&)> set_up;
    std::vector<Reason> reasons;
  };
  std::vector<Case> cases = {
      {"with Patdat32.ini", [](SampleMachine&) {}, {}},
      {"without",
       [](SampleMachine& m) { fs::remove(m.s() / "Patdat32.ini"); },
       {Reason::kNoPatdatIni}},
      {"empty",
       [](SampleMachine& m) { testing::WriteBytes(m.s() / "Patdat32.ini", ""); },
       {Reason::kNoPatdatIni}},
      {"too large",
       [](SampleMachine& m) {
         testing::WriteBytes(m.s() / "Patdat32.ini",
                             "x\r\nS:\\PATDAT\\\r\n" + std::string(1 << 20, ' '));
       },
       {Reason::kPatdatIniIgnored}},
  };
#ifndef _WIN32
  // A FIFO: a POSIX thing.
  cases.push_back({"a FIFO",
                   [](SampleMachine& m) { MakeFifo(m.s() / "Patdat32.ini"); },
                   {Reason::kPatdatIniIgnored}});
#endif
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

// The interrupt arrives as a signal the test raises; on Windows it is a console control event,
// which goes to every process of a console and which a test cannot send to itself alone.
#ifndef _WIN32
// In a child process (the interrupt flag lasts for the process): an interrupt that comes while
// the run works on the file `name` ends the run at the next boundary between files. Exits with
// the interrupt's code when the run reported it and left neither a temporary file nor a title
// copy, every output it did complete is whole, and N7.txt, the last output, is there exactly
// when last_is_there; 1 otherwise.
int InterruptWhileWorkingOn(const std::string& name, FileOperation operation, bool last_is_there) {
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
                  fs::exists(m.out() / "N7.txt") == last_is_there;
  std::fprintf(stderr, "interrupted=%d messages=%zu whole=%d\n", result.interrupted,
               m.Shown().size(), whole);
  return ok ? platform::InterruptExitCode() : 1;
}

TEST(RunSafetyDeathTest, AnInterruptEndsTheRunBetweenFilesLeavingNoTemporaryFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Where the title files' and the measurements' outputs are flushed together, N6.txt is
  // renamed into place after N7.txt was completed, and both stay.
  const bool together = platform::HostStartsWriteOut();
  const struct {
    const char* name;
    FileOperation operation;
    bool last_is_there;
  } cases[] = {
      {"titl02.txt", FileOperation::kCopy, false},  // among the copies: they are removed
      {"N1.txt", FileOperation::kWrite, false},  // inside an output: it is completed, then the end
      {"Titl1.txt", FileOperation::kOpen, false},   {"N6.txt", FileOperation::kWrite, false},
      {"N6.txt", FileOperation::kRename, together},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(std::exit(InterruptWhileWorkingOn(c.name, c.operation, c.last_is_there)),
                ::testing::ExitedWithCode(143), "interrupted=1")
        << c.name;
  }
}

#endif

}  // namespace
}  // namespace qe2m4::app
