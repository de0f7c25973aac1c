// What a run knows of the disk without asking the system again, and reading a file to its end
// in as few reads as the file allows.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/folder_cache.h"
#include "platform/host_paths.h"
#include "platform/output_file.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

void Append(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

// Reads a file the way the record reader does: blocks of block_size until a read comes short.
std::string ReadInBlocks(InputFile& input, std::size_t block_size) {
  std::string content;
  std::vector<char> block(block_size);
  for (;;) {
    const std::size_t n = input.Read(block.data(), block.size());
    content.append(block.data(), n);
    if (n < block.size()) {
      return content;
    }
  }
}

TEST(InputFile, AFileThatGrowsBeforeItsSizeIsReadIsReadOnToItsNewEnd) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  const std::string start(10, 'a');
  WriteBytes(d / "grow.txt", start);
  // Before the second read the file grows past the size it had when it was opened.
  int reads = 0;
  machine.fs().SetOperationHook(
      std::make_unique<FaultInjection>([&](std::int64_t, FileOperation operation, const fs::path&) {
        if (operation == FileOperation::kRead && ++reads == 2) {
          Append(d / "grow.txt", std::string(20, 'b'));
        }
        return 0;
      }));
  InputFile input = machine.fs().OpenInput(u"D:\\grow.txt");
  // Four bytes at a time: the first read ends before the growth, the rest reads it.
  EXPECT_EQ(ReadInBlocks(input, 4), start + std::string(20, 'b'));
}

TEST(InputFile, WhatIsAddedAfterAShortReadAtTheEndIsNotRead) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "x.txt", "12345");
  auto injection = std::make_unique<FaultInjection>(
      [&](std::int64_t number, FileOperation operation, const fs::path&) {
        // The second read is asked for after the first one came short at the end.
        if (operation == FileOperation::kRead && number == 3) {
          Append(d / "x.txt", "678");
        }
        return 0;
      });
  FaultInjection* const counted = injection.get();
  machine.fs().SetOperationHook(std::move(injection));
  InputFile input = machine.fs().OpenInput(u"D:\\x.txt");
  char buffer[64];
  EXPECT_EQ(input.Read(buffer, sizeof buffer), 5u);
  EXPECT_EQ(std::string(buffer, 5), "12345");
  // The end seen stays the end; the hook is still asked before each read.
  EXPECT_EQ(input.Read(buffer, sizeof buffer), 0u);
  EXPECT_EQ(input.Read(buffer, sizeof buffer), 0u);
  EXPECT_EQ(counted->operations(), 4);  // the open and three reads
}

TEST(InputFile, AReadAfterTheEndStillFailsWhenTheTestMakesItFail) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "x.txt", "abc");
  // The open is the first operation, the reads the second and third.
  machine.fs().SetOperationHook(std::make_unique<FaultInjection>(FaultInjection::FailNth(3, EIO)));
  InputFile input = machine.fs().OpenInput(u"D:\\x.txt");
  char buffer[16];
  EXPECT_EQ(input.Read(buffer, sizeof buffer), 3u);
  EXPECT_THROW(input.Read(buffer, sizeof buffer), Error);
}

TEST(InputFile, AFileLargerThanOneBlockIsReadWhole) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  std::string bytes;
  for (int i = 0; i < 70000; ++i) {
    bytes += static_cast<char>('0' + i % 10);
  }
  WriteBytes(d / "big.txt", bytes);
  for (const std::size_t block : {std::size_t{1}, std::size_t{4096}, std::size_t{65536},
                                  std::size_t{70000}, std::size_t{100000}}) {
    InputFile input = machine.fs().OpenInput(u"D:\\big.txt");
    EXPECT_EQ(ReadInBlocks(input, block), bytes) << block;
  }
  EXPECT_EQ(machine.fs().ReadAll(u"D:\\big.txt"), bytes);
}

TEST(RunScope, AFolderTheRunMadeHoldsOnlyWhatTheRunPutThere) {
  const bool exact_names = !HostNamesIgnoreCase();
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  FileSystem& fs = machine.fs();
  {
    const RunScope run(fs);
    fs.CreateFolder(u"D:\\NEW");
    // Something put there behind the run's back is not seen by the run: it does not ask.
    // (Where the system finds names in any letter case, only it can tell that a name is not
    // there, so the run asks it.)
    WriteBytes(d / "NEW" / "other.txt", "x");
    EXPECT_EQ(fs.Exists(u"D:\\NEW\\other.txt"), !exact_names);
    EXPECT_EQ(fs.Missing(u"D:\\NEW\\other.txt"), exact_names);
    EXPECT_TRUE(fs.FolderExists(u"D:\\NEW"));
    // What the run writes there itself it knows.
    OutputFile output(fs, u"D:\\new\\N1.txt");
    output.WriteLine(u"1");
    output.Commit();
    EXPECT_TRUE(fs.FileExists(u"D:\\NEW\\n1.TXT"));
    EXPECT_FALSE(fs.Missing(u"D:\\NEW\\N1.txt"));
    EXPECT_EQ(fs.FileSize(u"D:\\NEW\\N1.txt"), 3u);
    fs.DeleteFile(u"D:\\NEW\\N1.txt");
    EXPECT_TRUE(fs.Missing(u"D:\\NEW\\N1.txt"));
    EXPECT_FALSE(fs.Exists(u"D:\\NEW\\N1.txt"));
    EXPECT_EQ(fs.KnownAbsent(d / "NEW" / "N1.txt"), exact_names);
    EXPECT_EQ(fs.KnownAbsent(d / "NEW" / "N1.txt" / "below"), exact_names);
  }
  // The next run starts knowing nothing and sees what is there.
  const RunScope next(fs);
  EXPECT_TRUE(fs.FileExists(u"D:\\NEW\\other.txt"));
  EXPECT_FALSE(fs.Exists(u"D:\\NEW\\N1.txt"));
  EXPECT_FALSE(fs.KnownAbsent(d / "NEW" / "other.txt"));
}

// A batch's borings share the folders above their destinations: another boring may make one
// after this run listed its parent and before this run makes it.
TEST(RunScope, AFolderAnotherRunMadeFirstIsSeenWithWhatItHolds) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  FileSystem& fs = machine.fs();
  const RunScope run(fs);
  EXPECT_TRUE(fs.Missing(u"D:\\TYUJYOU"));
  fs::create_directories(d / "TYUJYOU" / "A2");
  WriteBytes(d / "TYUJYOU" / "A2" / "CNT.TXT", "x");
  fs.CreateFolder(u"D:\\TYUJYOU");
  fs.CreateFolder(u"D:\\TYUJYOU\\A1");
  OutputFile output(fs, u"D:\\TYUJYOU\\A1\\titl01.txt");
  output.WriteLine(u"1");
  output.Commit();
  EXPECT_TRUE(fs.FolderExists(u"D:\\TYUJYOU"));
  EXPECT_TRUE(fs.FileExists(u"D:\\TYUJYOU\\A1\\titl01.txt"));
  EXPECT_TRUE(fs.FileExists(u"D:\\TYUJYOU\\A2\\CNT.TXT"));
  EXPECT_FALSE(fs.Missing(u"D:\\TYUJYOU\\A2"));
}

TEST(RunScope, AnOutputOverAFolderTheRunMadeIsRefusedBeforeAnythingIsWritten) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  FileSystem& fs = machine.fs();
  const RunScope run(fs);
  fs.CreateFolder(u"D:\\OUT");
  fs.CreateFolder(u"D:\\OUT\\N4.txt");
  try {
    OutputFile output(fs, u"D:\\OUT\\N4.txt");
    ADD_FAILURE() << "an output was opened over a folder";
  } catch (const Error& error) {
    EXPECT_EQ(error.cause(), ErrorCause::kIsAFolder);
  }
  // No temporary file was made beside it.
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(d / "OUT")) {
    entries.push_back(entry.path().filename());
  }
  EXPECT_EQ(entries, std::vector<fs::path>{"N4.txt"});
  EXPECT_THROW(fs.DeleteFile(u"D:\\OUT\\N4.txt"), Error);
  EXPECT_TRUE(fs::is_directory(d / "OUT" / "N4.txt"));
}

TEST(RunScope, ARunWritingIntoAFolderItMadeLeavesTheSameFilesAsWithoutARun) {
  // The same writes with and without what a run learns leave the same files and bytes.
  std::vector<std::string> trees;
  for (const bool in_run : {false, true}) {
    TempMachine machine;
    const auto d = machine.AddDrive(u'D');
    FileSystem& fs = machine.fs();
    std::optional<RunScope> run;
    if (in_run) {
      run.emplace(fs);
    }
    fs.CreateFolder(u"D:\\A");
    fs.CreateFolder(u"D:\\A\\B");
    for (const std::u16string name : {u"D:\\A\\B\\titl01.txt", u"D:\\a\\b\\N1.txt"}) {
      OutputFile output(fs, name);
      output.WriteLine(name);
      output.Commit();
    }
    fs.CopyFile(u"D:\\A\\B\\TITL01.TXT", u"D:\\A\\B\\copy.txt");
    fs.DeleteFile(u"D:\\A\\B\\Titl01.txt");
    OutputFile again(fs, u"D:\\A\\B\\n1.TXT");  // replaces N1.txt, keeping its stored name
    again.WriteLine(u"again");
    again.Commit();
    if (run) {
      run->Finish();
    }
    std::string tree;
    for (const auto& entry : fs::recursive_directory_iterator(d)) {
      tree += entry.path().lexically_relative(d).generic_string() + "=" +
              (entry.is_regular_file() ? ReadBytes(entry.path()) : "<folder>") + ";";
    }
    trees.push_back(tree);
  }
  EXPECT_EQ(trees[0], trees[1]);
  EXPECT_NE(trees[1].find("A/B/N1.txt=again\r\n;"), std::string::npos) << trees[1];
}

#ifndef _WIN32
TEST(RunScope, AListedLinkThatLeadsNowhereIsMissingAndOneThatLeadsToAFileIsThere) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "B" / "file.txt", "x");
  fs::create_symlink("nowhere.txt", d / "B" / "dangling.txt");
  fs::create_symlink("file.txt", d / "B" / "link.txt");
  FileSystem& fs = machine.fs();
  const RunScope run(fs);
  EXPECT_TRUE(fs.Missing(u"D:\\B\\X1.txt"));  // lists the folder: no such name in any case
  EXPECT_FALSE(fs.Missing(u"D:\\B\\FILE.TXT"));
  EXPECT_TRUE(fs.Missing(u"D:\\B\\dangling.txt"));
  EXPECT_FALSE(fs.Missing(u"D:\\B\\link.txt"));
  EXPECT_TRUE(fs.FileExists(u"D:\\B\\link.txt"));
  EXPECT_FALSE(fs.Exists(u"D:\\B\\dangling.txt"));
}
#endif

// What the run knows is kept by the folders' path texts: a change to one entry drops what is
// known below it, never what is known of a sibling whose name merely begins the same.
TEST(FolderCache, AChangeDropsWhatIsBelowTheEntryAndKeepsItsNamesakes) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  FolderCache cache;
  cache.Start();
  for (const fs::path& folder : {d / "A" / "B", d / "AB", d / "A"}) {
    cache.SetListing(folder, {});
  }
  cache.Changed(d / "A", HostEntryKind::kNothing);
  EXPECT_EQ(cache.Listing(d / "A" / "B"), nullptr);
  EXPECT_EQ(cache.Listing(d / "A"), nullptr);
  EXPECT_NE(cache.Listing(d / "AB"), nullptr);
  // The parent learns that A is gone without asking the system.
  cache.SetListing(d, {});
  cache.Changed(d / "AB", HostEntryKind::kFolder);
  EXPECT_EQ(cache.KnownKind(d / "AB"), HostEntryKind::kFolder);
  EXPECT_TRUE(cache.Made(d / "AB"));
  EXPECT_NE(cache.Listing(d / "AB"), nullptr);
  EXPECT_TRUE(cache.Listing(d / "AB")->empty());
  // A level the listings do not hold is known to be absent, and so is all below it, where names
  // are matched exactly; elsewhere only the system can tell.
  const bool exact = !HostNamesIgnoreCase();
  EXPECT_FALSE(cache.KnownAbsent(d / "AB"));
  EXPECT_EQ(cache.KnownAbsent(d / "AB" / "sub"), exact);
  EXPECT_EQ(cache.KnownAbsent(d / "A" / "x" / "y.txt"), exact);
  EXPECT_FALSE(cache.KnownAbsent(d.parent_path()));
}

// A run remembers where each path it resolved leads; what the run changes in a folder, and a
// drive mapped anew, make it look again.
TEST(RunScope, APathResolvedBeforeTheRunChangedItsFolderLeadsWhereItLeadsNow) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  const auto e = machine.AddDrive(u'E');
  FileSystem& fs = machine.fs();
  const RunScope run(fs);
  EXPECT_EQ(fs.Resolve(u"D:\\out\\a.txt"), d / "out" / "a.txt");
  fs.CreateFolder(u"D:\\OUT");
  // Every level that is there resolves to its stored name, whatever the system's rules of case.
  EXPECT_EQ(fs.Resolve(u"D:\\out\\a.txt"), d / "OUT" / "a.txt");
  {
    OutputFile output(fs, u"D:\\OUT\\A.TXT");
    output.WriteLine(u"1");
    output.Commit();
  }
  const fs::path made = d / "OUT" / "A.TXT";
  EXPECT_EQ(fs.Resolve(u"D:\\out\\a.txt"), made);
  EXPECT_TRUE(fs.FileExists(u"D:\\out\\a.txt"));
  fs.DeleteFile(u"D:\\out\\a.txt");
  EXPECT_FALSE(fs.Exists(u"D:\\OUT\\A.TXT"));
  EXPECT_FALSE(fs::exists(made));
  // A path goes on from the folders above it as the run knows them now: made in another case
  // after a path below them was resolved.
  EXPECT_EQ(fs.Resolve(u"D:\\OUT\\SUB\\DEEP\\b.txt"), d / "OUT" / "SUB" / "DEEP" / "b.txt");
  fs.CreateFolder(u"D:\\OUT\\sub");
  EXPECT_EQ(fs.Resolve(u"D:\\OUT\\SUB\\DEEP\\b.txt"), d / "OUT" / "sub" / "DEEP" / "b.txt");
  fs.CreateFolder(u"D:\\OUT\\SUB\\deep");
  EXPECT_EQ(fs.Resolve(u"D:\\OUT\\SUB\\DEEP\\c.txt"), d / "OUT" / "sub" / "deep" / "c.txt");
  EXPECT_TRUE(fs.FolderExists(u"D:\\OUT\\SUB\\DEEP"));
  // The same drive letter mapped to another folder leads there at once.
  fs.MapDrive(u'D', e);
  EXPECT_EQ(fs.Resolve(u"D:\\out\\a.txt"), e / "out" / "a.txt");
  EXPECT_FALSE(fs.FolderExists(u"D:\\OUT"));
}

}  // namespace
}  // namespace qe2m4::platform
