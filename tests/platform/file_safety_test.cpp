// The file system's answers where safety depends on them: identity of folders, what counts as
// missing, the reasons of failures, settings files, path limits, and durable outputs under
// injected faults.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/error.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/temporary_names.h"
#include "platform/utf8.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::Snapshot;
using testing::TempMachine;
using testing::WriteBytes;

class FileSafety : public ::testing::Test {
 protected:
  FileSafety() : s_(machine_.AddDrive(u'S')) { fs::create_directories(s_ / "B1"); }

  FileSystem& fs() { return machine_.fs(); }

  // The cause of the error an action throws (kUnknown and a failure when it throws none).
  template <typename Action>
  ErrorCause CauseOf(Action action) {
    try {
      action();
    } catch (const Error& error) {
      return error.cause();
    }
    ADD_FAILURE() << "no error";
    return ErrorCause::kUnknown;
  }

  TempMachine machine_;
  fs::path s_;
};

TEST_F(FileSafety, SameFolderByIdentityThroughLettersLetterCaseAndDotDot) {
  machine_.fs().MapDrive(u'T', s_);  // a second letter on one folder
  fs::create_directories(s_ / "B2");
  for (const std::u16string_view other : {u"s:\\b1", u"T:\\B1", u"T:\\b1\\", u"S:\\B2\\..\\B1"}) {
    EXPECT_TRUE(fs().SameFolder(u"S:\\B1", other)) << testing::Sjis(other);
  }
  for (const std::u16string_view other : {u"S:\\B2", u"T:\\B2", u"S:\\B1\\NEW"}) {
    EXPECT_FALSE(fs().SameFolder(u"S:\\B1", other)) << testing::Sjis(other);
  }
}

TEST_F(FileSafety, SameFolderByIdentityThroughLinks) {
  if (!testing::MakeFolderLink(s_, machine_.root() / "drive-link") ||
      !testing::MakeFolderLink(s_ / "B1", s_ / "inner-link")) {
    GTEST_SKIP() << testing::kNoFolderLinks;
  }
  machine_.fs().MapDrive(u'T', s_);
  machine_.fs().MapDrive(u'L', machine_.root() / "drive-link");  // a link on the drive folder
  fs::create_directories(s_ / "B2");
  for (const std::u16string_view other :
       {u"L:\\B1", u"S:\\inner-link", u"T:\\INNER-LINK\\", u"l:\\b1"}) {
    EXPECT_TRUE(fs().SameFolder(u"S:\\B1", other)) << testing::Sjis(other);
  }
  for (const std::u16string_view other : {u"L:\\B2", u"L:\\NEW"}) {
    EXPECT_FALSE(fs().SameFolder(u"S:\\B1", other)) << testing::Sjis(other);
  }
}

TEST_F(FileSafety, OnlyWhatIsNotThereIsMissing) {
  WriteBytes(s_ / "B1" / "file.txt", "x");
  EXPECT_TRUE(fs().Missing(u"S:\\B1\\none.txt"));
  EXPECT_TRUE(fs().Missing(u"Q:\\none.txt"));  // no such drive
  EXPECT_FALSE(fs().Missing(u"S:\\B1\\FILE.TXT"));
  EXPECT_FALSE(fs().Missing(u"S:\\B1"));
  EXPECT_EQ(fs().ListFiles(u"S:\\B1\\*.txt"), (std::vector<std::u16string>{u"file.txt"}));
}

// FIFOs and links to files are POSIX things: Windows's named pipes live outside the file system,
// and a link to a file needs a privilege Windows users lack.
#ifndef _WIN32
TEST_F(FileSafety, OnlyWhatIsNotThereIsMissingAmongFifosAndLinks) {
  WriteBytes(s_ / "B1" / "file.txt", "x");
  ASSERT_TRUE(testing::MakeFifo(s_ / "B1" / "fifo.txt"));
  fs::create_symlink("loop.txt", s_ / "B1" / "loop.txt");
  fs::create_symlink("nowhere", s_ / "B1" / "dangling.txt");
  EXPECT_TRUE(fs().Missing(u"S:\\B1\\dangling.txt"));
  EXPECT_FALSE(fs().Missing(u"S:\\B1\\fifo.txt"));
  EXPECT_FALSE(fs().Missing(u"S:\\B1\\loop.txt"));
  // Listings show what is there and is not a folder, so that copying it reports why.
  EXPECT_EQ(fs().ListFiles(u"S:\\B1\\*.txt"),
            (std::vector<std::u16string>{u"fifo.txt", u"file.txt", u"loop.txt"}));
}

TEST_F(FileSafety, FailuresAtFifosAndLinksCarryTheirCause) {
  ASSERT_TRUE(testing::MakeFifo(s_ / "B1" / "fifo.txt"));
  fs::create_symlink("loop", s_ / "B1" / "loop");
  fs::create_symlink("nowhere", s_ / "B1" / "dangling");
  EXPECT_EQ(CauseOf([&] { fs().ReadAll(u"S:\\B1\\fifo.txt"); }), ErrorCause::kNotAFile);
  EXPECT_EQ(CauseOf([&] { fs().FileSize(u"S:\\B1\\fifo.txt"); }), ErrorCause::kNotAFile);
  EXPECT_EQ(CauseOf([&] { fs().CopyFile(u"S:\\B1\\fifo.txt", u"S:\\copy.txt"); }),
            ErrorCause::kNotAFile);
  EXPECT_EQ(CauseOf([&] { fs().CreateFolder(u"S:\\B1\\loop"); }), ErrorCause::kLinkLoop);
  EXPECT_EQ(CauseOf([&] { fs().CreateFolder(u"S:\\B1\\dangling"); }), ErrorCause::kNotFound);
  EXPECT_FALSE(fs::exists(s_ / "copy.txt"));
}

// Reading with links refused: every service that reads refuses a link at the file's own name,
// whatever it leads to (a FIFO behind it is not waited on), and follows links above it.
TEST_F(FileSafety, ReadsThatRefuseLinksRefuseEveryLinkAtTheLastLevel) {
  WriteBytes(s_ / "outside" / "secret.txt", "secret");
  ASSERT_TRUE(testing::MakeFifo(s_ / "outside" / "fifo"));
  fs::create_symlink(s_ / "outside" / "secret.txt", s_ / "B1" / "file.txt");
  fs::create_symlink(s_ / "outside" / "fifo", s_ / "B1" / "fifo.txt");
  fs::create_symlink(s_ / "outside", s_ / "B1" / "folder.txt");
  fs::create_symlink("loop.txt", s_ / "B1" / "loop.txt");
  fs::create_directory_symlink(s_ / "outside", s_ / "ALIAS");
  constexpr LastLevelLink kRefuse = LastLevelLink::kRefuse;
  const struct {
    const char* service;
    std::function<void(std::u16string_view)> read;
  } services[] = {
      {"OpenForReading", [&](std::u16string_view path) { fs().OpenForReading(path, kRefuse); }},
      {"OpenInput", [&](std::u16string_view path) { fs().OpenInput(path, kRefuse); }},
      {"ReadAll", [&](std::u16string_view path) { fs().ReadAll(path, kRefuse); }},
      {"CopyFile", [&](std::u16string_view path) { fs().CopyFile(path, u"S:\\copy", kRefuse); }},
  };
  const struct {
    std::u16string_view path;
    ErrorCause cause;
  } links[] = {
      {u"S:\\B1\\file.txt", ErrorCause::kNotAFile},
      {u"S:\\B1\\fifo.txt", ErrorCause::kNotAFile},
      {u"S:\\B1\\folder.txt", ErrorCause::kNotAFile},
      {u"S:\\B1\\loop.txt", ErrorCause::kLinkLoop},
  };
  for (const auto& service : services) {
    for (const auto& link : links) {
      try {
        service.read(link.path);
        ADD_FAILURE() << service.service << " followed " << ToUtf8(link.path);
      } catch (const Error& error) {
        EXPECT_EQ(error.path(), link.path) << service.service;
        EXPECT_EQ(error.cause(), link.cause) << service.service << ": " << error.what();
      }
    }
    EXPECT_FALSE(fs::exists(s_ / "copy")) << service.service;
    EXPECT_NO_THROW(service.read(u"S:\\ALIAS\\secret.txt")) << service.service;
  }
  EXPECT_EQ(fs().ReadAll(u"S:\\B1\\file.txt"), "secret");  // followed unless refused
}

// A copy over a destination that is a link replaces the link; what it led to is not written.
TEST_F(FileSafety, ACopyReplacesALinkAtItsTargetNeverWritingThroughIt) {
  WriteBytes(s_ / "outside" / "kept.txt", "kept");
  WriteBytes(s_ / "B1" / "N2.TXT", "new");
  fs::create_directories(s_ / "D");
  fs::create_symlink(s_ / "outside" / "kept.txt", s_ / "D" / "N2.TXT");
  fs().CopyFile(u"S:\\B1\\N2.TXT", u"S:\\D\\N2.TXT", LastLevelLink::kRefuse);
  EXPECT_FALSE(fs::is_symlink(s_ / "D" / "N2.TXT"));
  EXPECT_EQ(testing::ReadBytes(s_ / "D" / "N2.TXT"), "new");
  EXPECT_EQ(testing::ReadBytes(s_ / "outside" / "kept.txt"), "kept");
}
#endif

TEST_F(FileSafety, FailuresCarryTheirCause) {
  WriteBytes(s_ / "B1" / "file.txt", "x");
  EXPECT_EQ(CauseOf([&] { fs().ReadAll(u"S:\\B1\\none.txt"); }), ErrorCause::kNotFound);
  EXPECT_EQ(CauseOf([&] { fs().ReadAll(u"S:\\B1"); }), ErrorCause::kIsAFolder);
  EXPECT_EQ(CauseOf([&] { fs().CreateFolder(u"S:\\B1\\file.txt"); }), ErrorCause::kNotAFolder);

  const struct {
    int error_number;
    ErrorCause cause;
  } causes[] = {{ENOENT, ErrorCause::kNotFound},    {EACCES, ErrorCause::kAccessDenied},
                {EPERM, ErrorCause::kAccessDenied}, {ENOSPC, ErrorCause::kDiskFull},
                {EROFS, ErrorCause::kReadOnly},     {ENAMETOOLONG, ErrorCause::kNameTooLong},
                {EBUSY, ErrorCause::kInUse},        {EISDIR, ErrorCause::kIsAFolder},
                {ENOTDIR, ErrorCause::kNotAFolder}, {ELOOP, ErrorCause::kLinkLoop},
                {EIO, ErrorCause::kIoError},        {EFBIG, ErrorCause::kFileTooLarge},
                {ENOMEM, ErrorCause::kOutOfMemory}, {EXDEV, ErrorCause::kUnknown}};
  for (const auto& c : causes) {
    EXPECT_EQ(platform::CauseOf(c.error_number), c.cause) << c.error_number;
    EXPECT_EQ(platform::CauseOf(std::make_error_code(static_cast<std::errc>(c.error_number))),
              c.cause);
  }
}

TEST_F(FileSafety, SettingsFilesAreReadOnlyWhenOrdinaryAndSmall) {
  const fs::path folder = s_ / "SYS";
  WriteBytes(folder / "good.ini", "a\r\nb\r\n");
  WriteBytes(folder / "large.ini", std::string(101, 'x'));
  fs::create_directory(folder / "folder.ini");
  std::vector<std::u16string_view> ignored = {u"S:\\SYS\\large.ini", u"S:\\SYS\\folder.ini"};
#ifndef _WIN32
  // A FIFO and a link to a device: POSIX things, as above.
  ASSERT_TRUE(testing::MakeFifo(folder / "fifo.ini"));
  fs::create_symlink("/dev/zero", folder / "zero.ini");
  ignored.insert(ignored.end(), {u"S:\\SYS\\fifo.ini", u"S:\\SYS\\zero.ini"});
#endif
  using State = SettingsText::State;
  EXPECT_EQ(fs().ReadSettingsFile(u"S:\\SYS\\good.ini", 100).text, "a\r\nb\r\n");
  // Nothing there is missing, whatever stands in its way: no such folder, a file where a folder
  // would be, a link that leads nowhere.
  std::vector<std::u16string_view> missing = {u"S:\\SYS\\none.ini", u"S:\\NONE\\a.ini",
                                              u"S:\\SYS\\good.ini\\a.ini"};
#ifndef _WIN32
  fs::create_symlink(folder / "nowhere", folder / "dangling.ini");
  missing.push_back(u"S:\\SYS\\dangling.ini");
#endif
  for (const std::u16string_view name : missing) {
    EXPECT_EQ(fs().ReadSettingsFile(name, 100).state, State::kMissing) << testing::Sjis(name);
  }
  for (const std::u16string_view name : ignored) {
    const SettingsText text = fs().ReadSettingsFile(name, 100);
    EXPECT_EQ(text.state, State::kIgnored) << testing::Sjis(name);
    EXPECT_EQ(text.text, "");
    EXPECT_FALSE(text.problem.empty());
  }
  // An ordinary file that cannot be read is an error with its reason, not an ignored file.
  fs().SetOperationHook(std::make_unique<FaultInjection>(FaultInjection::FailNth(1, EIO)));
  EXPECT_EQ(CauseOf([&] { fs().ReadSettingsFile(u"S:\\SYS\\good.ini", 100); }),
            ErrorCause::kIoError);
}

TEST_F(FileSafety, PathsLongerThanTheSystemAllowsAreRefusedBeforeAnythingIsCreated) {
  std::u16string deep = u"S:\\";
  for (int level = 0; level < 600; ++level) {  // 4800 bytes
    deep += u"levels\\";
  }
  EXPECT_EQ(CauseOf([&] { fs().CheckPathLimits(deep); }), ErrorCause::kNameTooLong);
  EXPECT_EQ(CauseOf([&] { fs().CheckPathLimits(u"S:\\" + std::u16string(300, u'n') + u"\\"); }),
            ErrorCause::kNameTooLong);
  // A long level within the limits: Windows also limits the whole path (to 260 characters).
#ifdef _WIN32
  constexpr std::size_t kLongLevel = 100;
#else
  constexpr std::size_t kLongLevel = 200;
#endif
  fs().CheckPathLimits(u"S:\\" + std::u16string(kLongLevel, u'n') + u"\\B\\C\\");
  EXPECT_EQ(Snapshot(s_), (std::map<std::string, std::string>{{"B1", "<folder>"}}));
}

// Every operation of an output, made to fail in turn: the target keeps its old content, and
// no temporary file stays.
TEST_F(FileSafety, AnOutputFailingAtAnyOperationLeavesTheOldFileAndNoTemporaryFile) {
  WriteBytes(s_ / "B1" / "N1.txt", "old\r\n");
  const auto write = [&] {
    OutputFile out(fs(), u"S:\\B1\\N1.txt");
    out.WriteLine(u"new");
    out.WriteLine(u"lines");
    out.Commit();
  };
  int failures = 0;
  for (std::int64_t n = 1;; ++n) {
    auto hook = std::make_unique<FaultInjection>(FaultInjection::FailNth(n, ENOSPC));
    const FaultInjection& seen = *hook;
    fs().SetOperationHook(std::move(hook));
    try {
      write();
    } catch (const Error& error) {
      ++failures;
      EXPECT_EQ(error.cause(), ErrorCause::kDiskFull);
      EXPECT_EQ(error.path(), u"S:\\B1\\N1.txt");
      EXPECT_EQ(testing::ReadBytes(s_ / "B1" / "N1.txt"), "old\r\n");
    }
    EXPECT_EQ(Snapshot(s_ / "B1").size(), 1u);  // no temporary file beside it
    if (seen.failures() == 0) {
      break;
    }
  }
  // Open, one write (the lines are buffered and written together), flush, rename.
  EXPECT_EQ(failures, 4);
  EXPECT_EQ(testing::ReadBytes(s_ / "B1" / "N1.txt"), "new\r\nlines\r\n");
}

TEST_F(FileSafety, OnlyTemporaryFilesOfTheProgramsOwnNamingAreRemoved) {
  const struct {
    const char* name;
    bool ours;
  } cases[] = {
      {".~N1.txt.12345.tmp", true}, {".~Titl1.txt.0.tmp", true}, {".~a.b.c.4294967295.tmp", true},
      {".~N1.txt.tmp", false},      {".~.1.tmp", false},         {"~N1.txt.1.tmp", false},
      {".~N1.txt.12a.tmp", false},  {".~N1.txt.1.tmpx", false},  {"N1.txt", false},
      {".~N1.txt.1.TMP", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTemporaryName(c.name), c.ours) << c.name;
    WriteBytes(s_ / "B1" / c.name, "x");
  }
  fs::create_directory(s_ / "B1" / ".~folder.1.tmp");
  EXPECT_EQ(TemporaryName(s_ / "B1" / "N1.txt", 7), s_ / "B1" / ".~N1.txt.7.tmp");
  RemoveStaleTemporaryFiles(s_ / "B1");
  for (const auto& c : cases) {
    EXPECT_EQ(fs::exists(s_ / "B1" / c.name), !c.ours) << c.name;
  }
  EXPECT_TRUE(fs::is_directory(s_ / "B1" / ".~folder.1.tmp"));
}

}  // namespace
}  // namespace qe2m4::platform
