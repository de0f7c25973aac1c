#include "app/conversion_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/texts.h"
#include "platform/utf8.h"
#include "recording_user_interface.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using testing::ReadBytes;
using testing::RecordingUserInterface;
using testing::Snapshot;
using testing::TempMachine;
using testing::WriteBytes;
using testing::WriteCp932;

// A small boring on S:\B1, a destination drive D: with \TYUJYOU, a system folder C:\SYS whose
// Patdat32.ini names C:\PATDAT\.
class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    c_ = machine_.AddDrive(u'C');
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    fs::create_directories(d_ / "TYUJYOU");
    WriteCp932(s_ / "B1" / "X1.TXT", u"1,1.50,褐,礫混じり砂質シルト\r\n2,3.00,灰,砂\r\n");
    WriteCp932(s_ / "B1" / "X4.TXT", u"1,1.5,,,砂\r\n");
    WriteCp932(s_ / "B1" / "CNT.TXT", u"a,b,c,d,25,6\r\n");
    WriteCp932(s_ / "B1" / "titl01.txt", u"工事名\r\n");
    WriteBytes(s_ / "B1" / "n2.txt", "1,2\r\n");
    WriteCp932(c_ / "SYS" / "Patdat32.ini", u"[PATDAT]\r\nC:\\PATDAT\\\r\n");
    std::u16string l9;
    for (int k = 1; k <= 15; ++k) {
      l9 += u"1,名" + std::u16string(1, static_cast<char16_t>(u'A' + k)) + u"\r\n";
    }
    WriteCp932(c_ / "PATDAT" / "L9.txt", l9);
    machine_.fs().SetSystemFolder(u"C:\\SYS");
  }

  RunResult Click(std::u16string_view source, std::u16string_view destination) {
    return RunConversion(machine_.fs(), ui_, source, destination);
  }

  // A refusal: exactly these messages (text, title) with OK and the exclamation icon unless
  // said otherwise, the status line empty, the pointer never busy, nothing changed.
  void ExpectRefused(std::u16string_view source, std::u16string_view destination,
                     std::u16string_view text, const std::u16string& title) {
    const auto before_s = Snapshot(s_);
    const auto before_d = Snapshot(d_);
    ui_ = RecordingUserInterface();
    const RunResult result = Click(source, destination);
    EXPECT_FALSE(result.succeeded);
    EXPECT_FALSE(result.status_shown);
    ASSERT_FALSE(ui_.messages.empty());
    const auto& last = ui_.messages.back();
    EXPECT_EQ(last.text, text);
    EXPECT_EQ(last.title, title);
    EXPECT_EQ(last.buttons, MessageButtons::kOk);
    EXPECT_EQ(last.icon, MessageIcon::kExclamation);
    EXPECT_EQ(ui_.calls.back(), u"status:");
    for (const auto& call : ui_.calls) {
      EXPECT_NE(call, u"busy");
    }
    EXPECT_EQ(Snapshot(s_), before_s);
    EXPECT_EQ(Snapshot(d_), before_d);
  }

  TempMachine machine_;
  RecordingUserInterface ui_;
  fs::path c_;
  fs::path s_;
  fs::path d_;
};

TEST_F(Run, SucceedsWithTheBusyTextThenTheSuccessText) {
  const auto before_s = Snapshot(s_);
  ui_.answers = {MessageAnswer::kYes};
  const RunResult result = Click(u" S:\\B1 ", u"D:\\TYUJYOU\\K123");
  EXPECT_TRUE(result.succeeded);
  EXPECT_TRUE(result.status_shown);
  const std::vector<std::u16string> expected = {
      u"message",  // the folder question
      u"busy",    u"status:" + std::u16string(texts::kBusy),     u"events",
      u"idle",    u"status:" + std::u16string(texts::kSucceeded)};
  EXPECT_EQ(ui_.calls, expected);
  EXPECT_EQ(Snapshot(s_), before_s);
  const fs::path out = d_ / "TYUJYOU" / "K123";
  EXPECT_EQ(ReadBytes(out / "CNT.TXT"), "K1\r\n\r\n\r\n\r\n2\r\n6\r\n");
  EXPECT_EQ(ReadBytes(out / "n2.txt"), "1,2\r\n");
  EXPECT_EQ(ReadBytes(out / "N4.txt"), "  1,    1.5,   0.00, 3\r\n");
  EXPECT_FALSE(fs::exists(out / "titl01.txt"));
  ASSERT_GE(result.report.files.size(), 3u);
  EXPECT_EQ(result.report.files[0].name, u"n2.txt");
  EXPECT_EQ(result.report.files[1].name, u"CNT.TXT");
  EXPECT_EQ(result.report.files[1].lines, 6);
}

TEST_F(Run, RefusesBadPathsWithM1AndSelectsTheBox) {
  ExpectRefused(u"S:\\B*1", u"D:\\TYUJYOU\\K1", texts::kBadPath, u"S:\\B*1");
  EXPECT_EQ(ui_.calls, (std::vector<std::u16string>{u"message", u"focus:source", u"status:"}));

  ExpectRefused(u"S:\\B1", u"D:\\TYUJYOU\\\\K1", texts::kBadPath, u"D:\\TYUJYOU\\\\K1\\");
  EXPECT_EQ(ui_.calls, (std::vector<std::u16string>{u"message", u"focus:destination", u"status:"}));

  ExpectRefused(u"B1", u"D:\\TYUJYOU\\K1", texts::kBadPath, u"B1");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, texts::kBadDriveName);
  EXPECT_EQ(ui_.messages[0].title, std::nullopt);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::kInformation);
}

TEST_F(Run, RefusesATrailingSeparatorNoDataAndTheSameFolder) {
  ExpectRefused(u"S:\\B1", u"D:\\TYUJYOU\\K1\\", texts::kTrailingSeparator, u"S:\\B1\\");
  ExpectRefused(u"S:\\B1", u"D:\\", texts::kTrailingSeparator, u"S:\\B1\\");
  fs::create_directories(s_ / "EMPTY");
  ExpectRefused(u"S:\\EMPTY", u"D:\\TYUJYOU\\K1", texts::kNoData, u"S:\\EMPTY\\");
  EXPECT_FALSE(fs::exists(s_ / "EMPTY" / "X1.txt"));
  ExpectRefused(u"S:\\B1", u"s:\\b1", texts::kSameFolder, u"S:\\B1\\");
  // Another letter for the same host folder.
  machine_.fs().MapDrive(u'T', s_);
  ExpectRefused(u"S:\\B1", u"T:\\B1", texts::kSameFolder, u"S:\\B1\\");
}

TEST_F(Run, AOneByteX1PassesAndNoToTheQuestionChangesNothing) {
  WriteBytes(s_ / "B1" / "X1.TXT", "1");
  ui_.answers = {MessageAnswer::kNo};
  const auto before_d = Snapshot(d_);
  const RunResult result = Click(u"S:\\B1", u"D:\\TYUJYOU\\NEW\\X");
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(ui_.calls, (std::vector<std::u16string>{u"message", u"status:"}));
  EXPECT_EQ(ui_.messages[0].text, texts::kCreateFolders);
  EXPECT_EQ(Snapshot(d_), before_d);
}

TEST_F(Run, AFailurePartWayIsOneMessageAndTheNextRunWorks) {
  const fs::path out = d_ / "TYUJYOU" / "K1";
  fs::create_directories(out / "n4.TXT");  // a folder where N4.txt goes
  const auto before_s = Snapshot(s_);
  const RunResult failed = Click(u"S:\\B1", u"D:\\TYUJYOU\\K1");
  EXPECT_FALSE(failed.succeeded);
  EXPECT_TRUE(failed.status_shown);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text.substr(0, texts::kRunError.size()), texts::kRunError);
  EXPECT_NE(ui_.messages[0].text.find(texts::kErrorWrite), std::u16string::npos);
  EXPECT_NE(ui_.messages[0].text.find(u"D:\\TYUJYOU\\K1\\N4.txt"), std::u16string::npos);
  EXPECT_EQ(ui_.messages[0].title, u"S:\\B1\\");
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::kExclamation);
  EXPECT_EQ(ui_.calls.back(), u"status:");
  EXPECT_FALSE(ui_.busy);
  EXPECT_EQ(Snapshot(s_), before_s);
  EXPECT_TRUE(fs::is_regular_file(out / "N1.txt"));
  for (const auto& entry : fs::directory_iterator(out)) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }

  fs::remove(out / "n4.TXT");
  ui_ = RecordingUserInterface();
  EXPECT_TRUE(Click(u"S:\\B1", u"D:\\TYUJYOU\\K1").succeeded);
}

TEST_F(Run, ShortTablesAreRunErrors) {
  WriteCp932(s_ / "B1" / "X6.TXT", u"1,A,5\r\n");
  struct Case {
    std::string ini;
    std::string l9;
    std::u16string kind;
  } const cases[] = {
      {"[PATDAT]\r\n", "", std::u16string(texts::kErrorShortFile)},
      {"[PATDAT]\r\nC:\\PATDAT\\\r\n", "1,A\r\n2,B\r\n", std::u16string(texts::kErrorShortFile)},
  };
  for (const Case& c : cases) {
    WriteBytes(c_ / "SYS" / "Patdat32.ini", c.ini);
    if (!c.l9.empty()) {
      WriteBytes(c_ / "PATDAT" / "L9.txt", c.l9);
    }
    ui_ = RecordingUserInterface();
    ui_.answers = {MessageAnswer::kYes};
    EXPECT_FALSE(Click(u"S:\\B1", u"D:\\TYUJYOU\\K1").succeeded);
    ASSERT_FALSE(ui_.messages.empty());
    EXPECT_NE(ui_.messages.back().text.find(c.kind), std::u16string::npos)
        << platform::ToUtf8(ui_.messages.back().text);
    EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "K1" / "N6.txt"));
  }
}

TEST_F(Run, ASourceFolderIsNeverChangedEvenWithEmptyFiles) {
  for (const char* name : {"X3.TXT", "X4.TXT", "X6.TXT", "X7.TXT", "titl02.txt", "CNT.TXT"}) {
    WriteBytes(s_ / "B1" / name, "");
  }
  const auto before_s = Snapshot(s_);
  ui_.answers = {MessageAnswer::kYes};
  EXPECT_TRUE(Click(u"S:\\B1", u"D:\\TYUJYOU\\K1").succeeded);
  EXPECT_EQ(Snapshot(s_), before_s);
  EXPECT_EQ(ReadBytes(d_ / "TYUJYOU" / "K1" / "CNT.TXT"), "K1\r\n\r\n\r\n\r\n\r\n\r\n");
}

}  // namespace
}  // namespace qe2m4::app
