// The qe2m4 executable started as a process on temporary drives.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/texts.h"
#include "cli_text.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "process.h"
#include "sample_drives.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

// The sample's drives in the host's temporary folder.
class CommandLine : public SampleDrives {
 protected:
  CommandLine() : SampleDrives(fs::temp_directory_path()) {}

  ProcessResult Run(std::vector<std::string> arguments, bool with_drives = true) const {
    if (with_drives) {
      arguments.insert(arguments.begin() + 1, {"--drive", "S=" + HostText(s_), "--drive",
                                               "d=" + HostText(d_), "--system-dir", HostText(s_)});
    }
    return RunProcess(QE2M4_EXECUTABLE, arguments, work_, Environment());
  }

  // Runs a command that must be refused with exit status 1, the given messages on standard
  // error and no change to either drive.
  void ExpectRefused(const std::vector<std::string>& arguments,
                     const std::vector<std::u16string>& messages) const {
    const auto source_before = testing::Snapshot(s_);
    const auto destination_before = testing::Snapshot(d_);
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 1) << result.err;
    std::string expected;
    for (const std::u16string& message : messages) {
      expected += Utf8(message) + "\n";
    }
    EXPECT_EQ(result.err, expected);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(testing::Snapshot(s_), source_before);
    EXPECT_EQ(testing::Snapshot(d_), destination_before);
  }
};

TEST_F(CommandLine, ConvertsTheSample) {
  const auto source_before = testing::Snapshot(s_);
  const ProcessResult result = Run({"convert", "--yes", "S:\\BORING1", "D:\\TYUJYOU\\A1234\\B\\C"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(testing::Snapshot(s_), source_before);

  const fs::path out = d_ / "TYUJYOU" / "A1234" / "B" / "C";
  for (const char* name :
       {"CNT.TXT", "N1.txt", "N1A.txt", "N2.TXT", "N3.txt", "N4.txt", "N5.txt", "N6.txt", "N7.txt",
        "N8.TXT", "N9.TXT", "N10.TXT", "N11.txt", "N12.txt", "Titl1.txt", "Titl2.txt"}) {
    EXPECT_TRUE(fs::is_regular_file(out / name)) << name;
  }
  for (const char* name : {"titl01.txt", "titl02.txt", "titl03.txt"}) {
    EXPECT_FALSE(fs::exists(out / name)) << name;
  }
  EXPECT_EQ(ReadBytes(out / "CNT.TXT"), "A1\r\nB\r\nC\r\n\r\n12\r\n3\r\n");
  EXPECT_EQ(ReadBytes(out / "N2.TXT"), ReadBytes(s_ / "BORING1" / "N2.TXT"));
  // Layer 3, 礫混じり砂質シルト at 3.20 m: 2 + 10 + 500; layer 5, 砂とシルトの互層.
  const std::string n1 = ReadBytes(out / "N1.txt");
  EXPECT_NE(n1.find("  3,   3.20,512,000\r\n"), std::string::npos) << n1;
  EXPECT_NE(n1.find("  5,   6.10,300,500\r\n"), std::string::npos) << n1;
  // X4 record 1: 木片 at 0.40 m, inclusion code 9; record 9: 雲母 is not in the table.
  const std::string n4 = ReadBytes(out / "N4.txt");
  EXPECT_EQ(n4.substr(0, 26), "  1,   0.40,   0.00, 9\r\n  ");
  EXPECT_NE(n4.find("  9,  19.10,   0.00,oo\r\n"), std::string::npos) << n4;

  // The summary: every file with its line count, the layer without a main soil, the success.
  const std::string expected_end = Utf8(app::texts::kSucceeded) + "\n";
  ASSERT_GE(result.out.size(), expected_end.size());
  EXPECT_EQ(result.out.substr(result.out.size() - expected_end.size()), expected_end);
  EXPECT_NE(result.out.find("CNT.TXT"), std::string::npos);
  EXPECT_NE(result.out.find("N6.txt"), std::string::npos);
  EXPECT_NE(result.out.find(Utf8(u"  13: 粘板岩\n")), std::string::npos) << result.out;

  // Redirected output is CP932 text on Windows (what Japanese Windows tools read), UTF-8 elsewhere.
#ifdef _WIN32
  EXPECT_NE(result.out_bytes.find(Sjis(app::texts::kSucceeded) + "\r\n"), std::string::npos);
#else
  EXPECT_NE(result.out_bytes.find(Utf8(app::texts::kSucceeded) + "\n"), std::string::npos);
#endif

  const ProcessResult quiet =
      Run({"convert", "--quiet", "S:\\BORING1", "D:\\TYUJYOU\\A1234\\B\\C"});
  EXPECT_EQ(quiet.exit_code, 0) << quiet.err;
  EXPECT_EQ(quiet.out, expected_end);
}

TEST_F(CommandLine, TakesDrivesFromTheSettingsFileUnlessTheCommandOverridesThem) {
  WriteBytes(machine_.root() / "config" / "qe2m4" / "drives.conf",
             "C=\nZ=\nS=" + HostText(s_) + "\nD=/nonexistent\n");
  const ProcessResult result = Run({"convert", "--drive", "D=" + HostText(d_), "--system-dir",
                                    HostText(s_), "--yes", "--quiet", "S:\\BORING1", "D:\\OUT"},
                                   false);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(fs::is_regular_file(d_ / "OUT" / "N1.txt"));
}

TEST_F(CommandLine, RefusesBadPathsWithTheWindowsMessages) {
  ExpectRefused({"convert", "S:\\BOR*ING1", "D:\\TYUJYOU\\A"},
                {u"S:\\BOR*ING1: " + std::u16string(app::texts::kBadPath)});
  ExpectRefused({"convert", " BORING1", "D:\\TYUJYOU\\A"},
                {std::u16string(app::texts::kBadDriveName),
                 u"BORING1: " + std::u16string(app::texts::kBadPath)});
  ExpectRefused({"convert", "S:\\BORING1", "Q:\\TYUJYOU\\A"},
                {u"Q:\\TYUJYOU\\A: " + std::u16string(app::texts::kBadPath)});
  ExpectRefused({"convert", "S:\\BORING1", "D:\\TYUJYOU\\A\\"},
                {u"S:\\BORING1\\: " + std::u16string(app::texts::kTrailingSeparator)});
  ExpectRefused({"convert", "S:\\PATDAT", "D:\\TYUJYOU\\A"},
                {u"S:\\PATDAT\\: " + std::u16string(app::texts::kNoData)});
  ExpectRefused({"convert", "S:\\BORING1", "s:\\boring1"},
                {u"S:\\BORING1\\: " + std::u16string(app::texts::kSameFolder)});
  EXPECT_FALSE(fs::exists(s_ / "PATDAT" / "X1.txt"));
}

TEST_F(CommandLine, CreatesMissingFoldersOnlyWithYes) {
  fs::create_directories(d_ / "TYUJYOU");
  ExpectRefused({"convert", "S:\\BORING1", "D:\\TYUJYOU\\NEW\\X"},
                {std::u16string(app::texts::kCreateFolders) + u" " +
                 std::u16string(app::texts::kAnsweredNo)});
  const ProcessResult result =
      Run({"convert", "--yes", "--quiet", "S:\\BORING1", "D:\\TYUJYOU\\NEW\\X"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(fs::is_regular_file(d_ / "TYUJYOU" / "NEW" / "X" / "CNT.TXT"));
}

TEST_F(CommandLine, AFailedWriteIsReportedAndLeavesNoPartialFile) {
  const fs::path out = d_ / "TYUJYOU" / "A";
  fs::create_directories(out / "N4.txt");
  const auto source_before = testing::Snapshot(s_);
  const ProcessResult result = Run({"convert", "S:\\BORING1", "D:\\TYUJYOU\\A"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  const std::string expected =
      Utf8(u"S:\\BORING1\\: " + std::u16string(app::texts::kRunError) + u" " +
           std::u16string(app::texts::kErrorWrite) + u" D:\\TYUJYOU\\A\\N4.txt ");
  EXPECT_EQ(result.err.substr(0, expected.size()), expected) << result.err;
  EXPECT_EQ(testing::Snapshot(s_), source_before);
  EXPECT_TRUE(fs::is_directory(out / "N4.txt"));
  // Files completed before the failure stay; no temporary file is left behind.
  EXPECT_TRUE(fs::is_regular_file(out / "N1.txt"));
  for (const auto& entry : fs::directory_iterator(out)) {
    EXPECT_NE(entry.path().filename().native().front(), '.') << entry.path();
  }
}

TEST_F(CommandLine, AnUnreadableSourceFileIsReportedAndNothingIsWrittenForIt) {
  fs::remove(s_ / "BORING1" / "CNT.TXT");
  fs::create_directory(s_ / "BORING1" / "CNT.TXT");
  const auto source_before = testing::Snapshot(s_);
  fs::create_directories(d_ / "OUT");
  const ProcessResult result = Run({"convert", "S:\\BORING1", "D:\\OUT"});
  EXPECT_EQ(result.exit_code, 1);
  const std::string expected =
      Utf8(u"S:\\BORING1\\: " + std::u16string(app::texts::kRunError) + u" " +
           std::u16string(app::texts::kErrorRead) + u" S:\\BORING1\\CNT.TXT ");
  EXPECT_EQ(result.err.substr(0, expected.size()), expected) << result.err;
  EXPECT_EQ(testing::Snapshot(s_), source_before);
  EXPECT_FALSE(fs::exists(d_ / "OUT" / "CNT.TXT"));
  EXPECT_FALSE(fs::exists(d_ / "OUT" / "N1.txt"));
}

TEST_F(CommandLine, UsageHelpAndVersion) {
  const ProcessResult none = Run({}, false);
  EXPECT_EQ(none.exit_code, 2);
  EXPECT_NE(none.err.find("usage: qe2m4 convert"), std::string::npos);
  const ProcessResult bad = Run({"convert", "--drive", "S:/x", "S:\\A", "D:\\B"}, false);
  EXPECT_EQ(bad.exit_code, 2);
  const ProcessResult help = Run({"--help"}, false);
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("usage: qe2m4 convert"), std::string::npos);
  const ProcessResult version = Run({"--version"}, false);
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, std::string("qe2m4 ") + QE2M4_VERSION + "\n");
  // No drive holds the system folder: the settings map no letter and the command none.
  const ProcessResult system = Run({"convert", "--system-dir", "/", "S:\\A", "D:\\B"}, false);
  EXPECT_EQ(system.exit_code, 2);
}

}  // namespace
}  // namespace qe2m4::testing
