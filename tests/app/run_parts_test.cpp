// The run's own steps: the destination's set-up, CNT.TXT, the pass-through copies and the
// error message.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/count_file.h"
#include "app/destination_folders.h"
#include "app/pass_through_copies.h"
#include "app/run_error_message.h"
#include "app/texts.h"
#include "platform/error.h"
#include "recording_user_interface.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using testing::ReadBytes;
using testing::RecordingUserInterface;
using testing::Sjis;
using testing::TempMachine;
using testing::WriteBytes;

platform::DrivePath Path(std::u16string_view text) {
  return *platform::DrivePath::Parse(text);
}

TEST(PrepareDestinationFolders, OneQuestionThenEveryMissingLevelTopDown) {
  TempMachine machine;
  machine.AddDrive(u'D');
  fs::create_directories(machine.Host(u"D:\\TYUJYOU"));
  RecordingUserInterface ui;
  ui.answers = {MessageAnswer::kYes};
  ASSERT_TRUE(PrepareDestinationFolders(machine.fs(), ui, u"D:\\tyujyou\\NEW\\X\\Y\\"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, texts::kCreateFolders);
  EXPECT_EQ(ui.messages[0].title, std::nullopt);
  EXPECT_EQ(ui.messages[0].buttons, platform::MessageButtons::kYesNo);
  EXPECT_EQ(ui.messages[0].icon, platform::MessageIcon::kQuestion);
  EXPECT_TRUE(fs::is_directory(machine.Host(u"D:\\TYUJYOU\\NEW\\X\\Y")));
  // No second TYUJYOU in another letter case.
  EXPECT_FALSE(testing::HasEntryNamed(machine.Host(u"D:\\"), "tyujyou"));
}

TEST(PrepareDestinationFolders, NoCreatesNothingAndPresentLevelsAskNothing) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  fs::create_directories(machine.Host(u"D:\\TYUJYOU"));
  RecordingUserInterface ui;
  ui.answers = {MessageAnswer::kNo};
  EXPECT_FALSE(PrepareDestinationFolders(machine.fs(), ui, u"D:\\TYUJYOU\\NEW\\X\\"));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_FALSE(fs::exists(machine.Host(u"D:\\TYUJYOU\\NEW")));

  // A file with the name of the last level counts as present.
  WriteBytes(machine.Host(u"D:\\TYUJYOU\\K1"), "x");
  RecordingUserInterface quiet;
  EXPECT_TRUE(PrepareDestinationFolders(machine.fs(), quiet, u"D:\\TYUJYOU\\K1\\"));
  EXPECT_TRUE(PrepareDestinationFolders(machine.fs(), quiet, u"D:\\"));
  EXPECT_TRUE(quiet.messages.empty());
}

TEST(PrepareDestinationFolders, LevelsAsTheTextNamesThemDotDotIncluded) {
  TempMachine machine;
  machine.AddDrive(u'D');
  RecordingUserInterface ui;
  ui.answers = {MessageAnswer::kYes};
  // D:\A, then D:\A\.. (the root, present), then D:\B.
  ASSERT_TRUE(PrepareDestinationFolders(machine.fs(), ui, u"D:\\A\\..\\B\\"));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(fs::is_directory(machine.Host(u"D:\\A")));
  EXPECT_TRUE(fs::is_directory(machine.Host(u"D:\\B")));
  // CNT.TXT names the levels as written.
  ConversionReport report;
  WriteDestinationCount(machine.fs(), Path(u"D:\\A\\..\\B"), u"D:\\A\\..\\B\\", {}, report);
  EXPECT_EQ(ReadBytes(machine.Host(u"D:\\B\\CNT.TXT")), "..\r\nB\r\n\r\n\r\n\r\n\r\n");
}

TEST(PrepareDestinationFolders, ALevelBelowAFileCannotBeCreated) {
  TempMachine machine;
  machine.AddDrive(u'D');
  WriteBytes(machine.Host(u"D:\\FILE"), "x");
  RecordingUserInterface ui;
  ui.answers = {MessageAnswer::kYes};
  try {
    PrepareDestinationFolders(machine.fs(), ui, u"D:\\FILE\\SUB\\");
    FAIL() << "no error";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.kind(), platform::ErrorKind::kCreateFolder);
  }
}

TEST(ReadSourceCount, FieldsFiveAndSixWithTheRuleForFieldFive) {
  TempMachine machine;
  const fs::path s = machine.AddDrive(u'S');
  struct Case {
    std::string content;
    std::u16string f5;
    std::u16string f6;
  } const cases[] = {
      {"a,b,c,d,25,x\r\n", u"2", u"x"},
      {"a,b,c,d,20,x\r\n", u"20", u"x"},
      {"a,b,c,d,20.5,x\r\n", u"2", u"x"},
      {"a,b,c,d,abc,x\r\n", u"abc", u"x"},
      {"a\r\nb\r\nc\r\nd\r\n\"1,5\",  \x8d\xbb\r\n", u"1,5", u"砂"},
      {"a,b,c,d,7", u"7", u""},  // fewer than six fields
      {"a,b\r\n", u"", u""},
      {"", u"", u""},
  };
  for (const Case& c : cases) {
    WriteBytes(s / "CNT.TXT", c.content);
    const CountFields fields = ReadSourceCount(machine.fs(), Path(u"S:\\"));
    EXPECT_EQ(fields.f5, c.f5) << c.content;
    EXPECT_EQ(fields.f6, c.f6) << c.content;
  }
}

TEST(ReadSourceCount, AMissingFileIsEmptyAndNotCreatedAFolderIsAnError) {
  TempMachine machine;
  const fs::path s = machine.AddDrive(u'S');
  const CountFields fields = ReadSourceCount(machine.fs(), Path(u"S:\\"));
  EXPECT_TRUE(fields.f5.empty());
  EXPECT_FALSE(fs::exists(s / "CNT.TXT"));
  fs::create_directory(s / "cnt.txt");
  try {
    ReadSourceCount(machine.fs(), Path(u"S:\\"));
    FAIL() << "no error";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.kind(), platform::ErrorKind::kRead);
    EXPECT_EQ(error.path(), u"S:\\CNT.TXT");
  }
}

TEST(WriteDestinationCount, LevelsThreeToFiveAndTheTwoFields) {
  TempMachine machine;
  machine.AddDrive(u'D');
  fs::create_directories(machine.Host(u"D:\\TYUJYOU\\A1234\\B\\C"));
  fs::create_directories(machine.Host(u"D:\\TYUJYOU\\K123"));
  ConversionReport report;
  WriteDestinationCount(machine.fs(), Path(u"D:\\TYUJYOU\\A1234\\B\\C"),
                        u"D:\\TYUJYOU\\A1234\\B\\C\\", {u"12", u"砂"}, report);
  EXPECT_EQ(ReadBytes(machine.Host(u"D:\\TYUJYOU\\A1234\\B\\C\\CNT.TXT")),
            "A1\r\nB\r\nC\r\n\r\n12\r\n\x8d\xbb\r\n");
  WriteDestinationCount(machine.fs(), Path(u"D:\\TYUJYOU\\K123"), u"D:\\TYUJYOU\\K123\\", {},
                        report);
  EXPECT_EQ(ReadBytes(machine.Host(u"D:\\TYUJYOU\\K123\\CNT.TXT")), "K1\r\n\r\n\r\n\r\n\r\n\r\n");
  ASSERT_EQ(report.files.size(), 2u);
  EXPECT_EQ(report.files[0].name, u"CNT.TXT");
  EXPECT_EQ(report.files[0].lines, 6);
}

TEST(CopyPassThroughFiles, CopiesN2N8N9N10InAnyCaseAndNothingElse) {
  TempMachine machine;
  const fs::path s = machine.AddDrive(u'S');
  const fs::path d = machine.AddDrive(u'D');
  WriteBytes(s / "n2.txt", "a\r\nb\r\n");
  WriteBytes(s / "N8.TXT", "c");
  WriteBytes(s / "N9.Txt", "");
  WriteBytes(s / "N10.TXT", "1\r\n2\r\n3\r\n");
  WriteBytes(s / "N1.txt", "x");
  WriteBytes(s / "N21.txt", "x");
  WriteBytes(s / "N3.TXT", "x");
  WriteBytes(d / "N2.TXT", "old");  // replaced, not doubled
  ConversionReport report;
  CopyPassThroughFiles(machine.fs(), Path(u"S:\\"), Path(u"D:\\"), report);
  EXPECT_EQ(ReadBytes(d / "N2.TXT"), "a\r\nb\r\n");
  EXPECT_FALSE(testing::HasEntryNamed(d, "n2.txt"));
  EXPECT_EQ(ReadBytes(d / "N8.TXT"), "c");
  EXPECT_EQ(ReadBytes(d / "N9.Txt"), "");
  EXPECT_EQ(ReadBytes(d / "N10.TXT"), "1\r\n2\r\n3\r\n");
  EXPECT_FALSE(fs::exists(d / "N1.txt"));
  EXPECT_FALSE(fs::exists(d / "N21.txt"));
  EXPECT_FALSE(fs::exists(d / "N3.TXT"));
  ASSERT_EQ(report.files.size(), 4u);
  EXPECT_EQ(report.files[0].name, u"N10.TXT");
  EXPECT_EQ(report.files[0].lines, 3);
  EXPECT_EQ(report.files[1].lines, 1);  // N8: one line without a line end
  EXPECT_EQ(report.files[3].lines, 2);  // n2.txt
}

TEST(RunErrorMessage, NamesWhatFailedThePathAndTheReason) {
  EXPECT_EQ(RunErrorMessage(
                platform::Error(platform::ErrorKind::kWrite, u"D:\\A\\N4.txt", "Is a directory")),
            u"変換中にエラーが発生しました。\nファイルを書き込めません。\nD:\\A\\N4.txt\nIs a "
            u"directory");
  EXPECT_EQ(RunErrorMessage(
                platform::Error(platform::ErrorKind::kShortFile, u"C:\\SYS\\Patdat32.ini", "")),
            u"変換中にエラーが発生しました。\nファイルの項目が足りません。\nC:\\SYS\\Patdat32.ini");
}

}  // namespace
}  // namespace qe2m4::app
