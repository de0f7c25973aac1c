#include "app/form1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/texts.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "recording_view.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using testing::ReadBytes;
using testing::RecordingView;
using testing::TempMachine;
using testing::WriteBytes;

// The program lives in C:\APP and was started in C:\start; drive D holds no \tyujyou.
class Form1Test : public ::testing::Test {
 protected:
  Form1Test() : c_(machine_.AddDrive(u'C')), d_(machine_.AddDrive(u'D')) {
    fs::create_directories(c_ / "APP");
    fs::create_directories(c_ / "start");
    fs::create_directories(d_ / "work" / "B1");
    machine_.fs().SetProgramFolder(u"C:\\APP");
    machine_.fs().SetCurrentFolder(u"D:\\work");
    machine_.fs().SetCurrentFolder(u"C:\\start");
    machine_.fs().SetCurrentDrive(u'C');
  }

  void AddPatternData() { WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "1"); }

  // The one message shown since the last call, as text; fails unless there was exactly one.
  std::u16string OnlyMessage(MessageIcon icon = MessageIcon::kNone) {
    std::vector<testing::RecordingUserInterface::Message>& messages = view_.port.messages;
    EXPECT_EQ(messages.size(), 1u);
    if (messages.size() != 1) {
      return {};
    }
    const auto message = messages.front();
    messages.clear();
    EXPECT_EQ(message.title, std::nullopt);  // the application's title
    EXPECT_EQ(message.buttons, MessageButtons::kOk);
    EXPECT_EQ(message.icon, icon);
    return message.text;
  }

  TempMachine machine_;
  fs::path c_;
  fs::path d_;
  RecordingView view_;
};

TEST_F(Form1Test, WithoutPatternDataStartUpEndsWithOneMessage) {
  // An empty kishitu.txt does not make a pattern-data folder.
  WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "");
  WriteBytes(c_ / "data" / "PATDAT" / "kishitu.txt", "");
  fs::create_directories(c_ / "TYUJYOU");
  Form1 form(machine_.fs(), view_, 1h);
  EXPECT_FALSE(form.Form_Load());
  EXPECT_EQ(OnlyMessage(), texts::kNoPatternFolder);
  EXPECT_EQ(form.PatternFolder, u"");
  EXPECT_EQ(view_.text2, u"");  // nothing after the gate ran
  EXPECT_EQ(view_.centred, 1);
  EXPECT_TRUE(view_.searches_shown.empty());
  EXPECT_EQ(view_.ended, 0);  // the caller ends the program before any window shows
}

TEST_F(Form1Test, StartUpPresetsTheSourceToTyujyouOfTheCurrentDrive) {
  AddPatternData();
  fs::create_directories(c_ / "TYUJYOU" / "K123");
  Form1 form(machine_.fs(), view_);
  form.StatusShown = 1;
  ASSERT_TRUE(form.Form_Load());
  EXPECT_TRUE(view_.port.messages.empty());
  EXPECT_EQ(form.PatternFolder, u"C:\\APP\\PATDAT\\");
  EXPECT_EQ(form.StatusShown, 0);
  EXPECT_EQ(view_.text2, u"C:\\TYUJYOU");
  EXPECT_EQ(form.Dir2.Path(), u"C:\\TYUJYOU");
  EXPECT_EQ(view_.lists_shown, (std::vector<std::u16string>{u"Dir2:C:\\TYUJYOU"}));
  EXPECT_EQ(view_.text1, u"");
  EXPECT_EQ(form.Dir1.Path(), u"C:\\start");
  EXPECT_EQ(machine_.fs().CurrentFolder(u'C'), u"C:\\TYUJYOU");
}

TEST_F(Form1Test, StartUpWithoutTyujyouLeavesTheSourceEmpty) {
  AddPatternData();
  WriteBytes(c_ / "tyujyou", "a file, not a folder");
  Form1 form(machine_.fs(), view_);
  ASSERT_TRUE(form.Form_Load());
  EXPECT_EQ(view_.text2, u"");
  EXPECT_EQ(form.Dir2.Path(), u"C:\\start");
  EXPECT_TRUE(view_.lists_shown.empty());
}

TEST_F(Form1Test, ALastingSearchNamesEachFolderItReachesThenCloses) {
  // Nothing beside the program: the search walks C: (twice: first as the program's drive) and D:
  // and finds E:\x\PATDAT.
  const fs::path e = machine_.AddDrive(u'E');
  WriteBytes(e / "x" / "PATDAT" / "kishitu.txt", "1");
  {
    Form1 quick(machine_.fs(), view_, 1h);
    ASSERT_TRUE(quick.Form_Load());
    EXPECT_TRUE(view_.searches_shown.empty());
    EXPECT_EQ(view_.searches_ended, 0);
  }
  const auto events = std::count(view_.port.calls.begin(), view_.port.calls.end(), u"events");
  view_.port.calls.clear();

  Form1 slow(machine_.fs(), view_, 0ms);
  ASSERT_TRUE(slow.Form_Load());
  EXPECT_EQ(slow.PatternFolder, u"E:\\x\\PATDAT\\");
  ASSERT_FALSE(view_.searches_shown.empty());
  EXPECT_EQ(view_.searches_shown.front(), u"C:\\");
  EXPECT_EQ(view_.searches_shown.back().substr(0, 3), u"E:\\");
  EXPECT_EQ(view_.searches_ended, 1);
  // Pending events run once per folder visited, shown or not.
  EXPECT_EQ(static_cast<std::size_t>(events), view_.searches_shown.size());
  EXPECT_EQ(std::count(view_.port.calls.begin(), view_.port.calls.end(), u"events"), events);
}

TEST_F(Form1Test, ShowListsShowsAllFourLists) {
  Form1 form(machine_.fs(), view_);
  form.ShowLists();
  EXPECT_EQ(view_.lists_shown[0].substr(0, 10), u"Drive1:C: ");
  EXPECT_EQ(view_.lists_shown[1].substr(0, 10), u"Drive2:C: ");
  EXPECT_EQ(view_.lists_shown[2], u"Dir1:C:\\start");
  EXPECT_EQ(view_.lists_shown[3], u"Dir2:C:\\start");
  EXPECT_EQ(view_.lists_shown.size(), 4u);
}

TEST_F(Form1Test, DestinationDriveWithoutTyujyouIsReportedOnceAndKeepsText1) {
  fs::create_directories(c_ / "Tyujyou" / "K123");
  Form1 form(machine_.fs(), view_);
  view_.text1 = u"typed";
  form.Drive1.SetDrive(u'D');
  EXPECT_EQ(OnlyMessage(), texts::kNoTyujyouFolder);
  EXPECT_EQ(view_.text1, u"typed");
  EXPECT_EQ(form.Dir1.Path(), u"C:\\start");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');  // the drive is made current all the same

  view_.lists_shown.clear();
  form.Drive1.SetDrive(u'C');
  EXPECT_TRUE(view_.port.messages.empty());
  EXPECT_EQ(view_.text1, u"C:\\Tyujyou");
  EXPECT_EQ(form.Dir1.Path(), u"C:\\Tyujyou");
  EXPECT_EQ(view_.lists_shown[0].substr(0, 10), u"Drive1:C: ");
  EXPECT_EQ(view_.lists_shown[1], u"Dir1:C:\\Tyujyou");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'C');
  EXPECT_EQ(machine_.fs().CurrentFolder(u'C'), u"C:\\Tyujyou");
  EXPECT_EQ(view_.text2, u"");  // the source side is untouched
}

TEST_F(Form1Test, DestinationDriveThatWentAwayIsReportedOnce) {
  const fs::path e = machine_.AddDrive(u'E');
  Form1 form(machine_.fs(), view_);
  fs::remove_all(e);
  form.Drive1.SetDrive(u'E');
  EXPECT_EQ(OnlyMessage(), texts::kNoTyujyouFolder);
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'C');
}

TEST_F(Form1Test, SourceDriveOpensItsCurrentFolderAndFailsSilently) {
  const fs::path e = machine_.AddDrive(u'E');
  Form1 form(machine_.fs(), view_);
  form.Drive2.SetDrive(u'D');
  EXPECT_EQ(view_.text2, u"D:\\work");
  EXPECT_EQ(form.Dir2.Path(), u"D:\\work");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');

  fs::remove_all(e);
  form.Drive2.SetDrive(u'E');
  EXPECT_TRUE(view_.port.messages.empty());
  EXPECT_EQ(view_.text2, u"D:\\work");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');
  EXPECT_EQ(view_.text1, u"");
}

TEST_F(Form1Test, OpeningAFolderReplacesTheTypedPath) {
  fs::create_directories(c_ / "Tyujyou" / "K123");
  for (const Form1View::Side side : {Form1View::Side::kDestination, Form1View::Side::kSource}) {
    SCOPED_TRACE(side == Form1View::Side::kSource ? "Dir2" : "Dir1");
    machine_.fs().SetCurrentFolder(u"C:\\start");
    machine_.fs().SetCurrentDrive(u'D');  // a folder change does not change the drive
    Form1 form(machine_.fs(), view_);
    form.Dir(side).SetPath(u"C:\\tyujyou");
    view_.SetPathText(side, u"C:\\typed\\by\\hand");
    form.Dir(side).Open(2);  // C:\, Tyujyou, then its one subfolder K123
    EXPECT_EQ(view_.PathText(side), u"C:\\Tyujyou\\K123");
    EXPECT_EQ(machine_.fs().CurrentFolder(u'C'), u"C:\\Tyujyou\\K123");
    EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');
  }
}

TEST_F(Form1Test, MouseMoveClearsTheStatusLineOnceAfterARun) {
  Form1 form(machine_.fs(), view_);
  form.Picture1_MouseMove();
  EXPECT_TRUE(view_.port.calls.empty());  // no run has shown anything

  form.StatusShown = 1;
  form.Picture1_MouseMove();
  form.Picture1_MouseMove();
  EXPECT_EQ(view_.port.calls, (std::vector<std::u16string>{u"status:"}));
  EXPECT_EQ(form.StatusShown, 0);
}

TEST_F(Form1Test, QuitEndsTheProgram) {
  Form1 form(machine_.fs(), view_);
  form.Command2_Click();
  EXPECT_EQ(view_.ended, 1);
}

// The sample of examples/ on drive S: (S:\BORING1, S:\PATDAT, S:\Patdat32.ini naming S:\PATDAT\,
// S:\ being the system folder), and a destination drive D: holding \TYUJYOU.
class Form1Run : public ::testing::Test {
 protected:
  Form1Run() : s_(machine_.AddDrive(u'S')), d_(machine_.AddDrive(u'D')) {
    fs::copy(QE2M4_EXAMPLES_DIR, s_, fs::copy_options::recursive);
    fs::create_directories(d_ / "TYUJYOU");
    machine_.fs().SetSystemFolder(u"S:\\");
    machine_.fs().SetCurrentDrive(u'S');
    // The settings folder, where the window finds the table of soil readings.
    testing::SetUserConfigRoot(machine_.root() / "config");
  }

  fs::path ReadingsFile() const {
    return machine_.root() / "config" / "qe2m4" / "soil-readings.csv";
  }

  // Converts S:\BORING1 into D:\TYUJYOU\K1, which exists.
  void ExecuteIntoK1() {
    fs::create_directories(d_ / "TYUJYOU" / "K1");
    view_.text2 = u"S:\\BORING1";
    view_.text1 = u"D:\\TYUJYOU\\K1";
    view_.port = {};
    form_.Command1_Click();
  }

  TempMachine machine_;
  fs::path s_;
  fs::path d_;
  RecordingView view_;
  Form1 form_{machine_.fs(), view_};
};

TEST_F(Form1Run, ExecuteConvertsThePathsOfBothBoxes) {
  view_.text2 = u"S:\\BORING1";
  view_.text1 = u"D:\\TYUJYOU\\A1234\\B\\C";
  view_.port.answers.push_back(MessageAnswer::kYes);
  form_.Command1_Click();
  ASSERT_EQ(view_.port.messages.size(), 2u);
  EXPECT_EQ(view_.port.messages[0].text, texts::kCreateFolders);
  // After the success text, the notice of the one layer without a main soil.
  EXPECT_EQ(view_.port.messages[1].text,
            u"主な土質が見つからなかった層の記述（X1.TXT の記録番号）：\n  13: 粘板岩");
  EXPECT_EQ(view_.port.messages[1].title, std::nullopt);
  EXPECT_EQ(view_.port.messages[1].buttons, MessageButtons::kOk);
  EXPECT_EQ(view_.port.messages[1].icon, MessageIcon::kInformation);
  ASSERT_GE(view_.port.calls.size(), 2u);
  EXPECT_EQ(view_.port.calls.back(), u"message");
  EXPECT_EQ(view_.port.calls[view_.port.calls.size() - 2],
            u"status:" + std::u16string(texts::kSucceeded));
  EXPECT_EQ(view_.port.status, texts::kSucceeded);
  EXPECT_EQ(form_.StatusShown, 1);
  EXPECT_FALSE(view_.port.busy);
  const fs::path out = d_ / "TYUJYOU" / "A1234" / "B" / "C";
  EXPECT_EQ(ReadBytes(out / "CNT.TXT"), "A1\r\nB\r\nC\r\n\r\n12\r\n3\r\n");
  EXPECT_TRUE(fs::is_regular_file(out / "N6.txt"));

  form_.Picture1_MouseMove();
  EXPECT_EQ(view_.port.status, u"");
  EXPECT_EQ(form_.StatusShown, 0);
}

TEST_F(Form1Run, ARefusedPathLeavesStatusShownAlone) {
  view_.text2 = u"Q:\\data";
  view_.text1 = u"D:\\TYUJYOU\\K1";
  form_.Command1_Click();
  EXPECT_EQ(view_.port.calls.front(), u"message");
  EXPECT_NE(std::find(view_.port.calls.begin(), view_.port.calls.end(), u"focus:source"),
            view_.port.calls.end());
  EXPECT_EQ(form_.StatusShown, 0);
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "K1"));
}

TEST_F(Form1Run, ARunWithNothingToSayShowsNoNotice) {
  // The sample without its layer of 粘板岩.
  const std::string layers = ReadBytes(s_ / "BORING1" / "X1.TXT");
  WriteBytes(s_ / "BORING1" / "X1.TXT", layers.substr(0, layers.rfind("13,")));
  ExecuteIntoK1();
  EXPECT_TRUE(view_.port.messages.empty());
  EXPECT_EQ(view_.port.calls.back(), u"status:" + std::u16string(texts::kSucceeded));
  EXPECT_EQ(form_.StatusShown, 1);
}

TEST_F(Form1Run, TheNoticeTellsOfN6NotWrittenAndOfTheLayersTheTableRead) {
  fs::remove(s_ / "Patdat32.ini");
  WriteBytes(ReadingsFile(),
             "\xEF\xBB\xBF" + platform::ToUtf8(u"記述,読み替え\r\n粘板岩,硬岩\r\n表土,表土\r\n"));
  ExecuteIntoK1();
  ASSERT_EQ(view_.port.messages.size(), 1u);
  EXPECT_EQ(view_.port.messages[0].text,
            u"書き込まなかったファイル：\n"
            u"  N6.txt: Patdat32.ini がないか空のため、X6.TXT のデータは変換されませんでした。 "
            u"(S:\\Patdat32.ini)\n"
            u"土質名の読み替え表で読み替えた層：2 層");
  EXPECT_EQ(view_.port.messages[0].icon, MessageIcon::kInformation);
  const std::string n1 = ReadBytes(d_ / "TYUJYOU" / "K1" / "N1.txt");
  EXPECT_TRUE(n1.ends_with(" 13,  20.00,091,000\r\n")) << n1;

  // The table is read again at every run: without it, the layer is without a main soil again.
  fs::remove(ReadingsFile());
  ExecuteIntoK1();
  ASSERT_EQ(view_.port.messages.size(), 1u);
  EXPECT_EQ(view_.port.messages[0].text,
            u"書き込まなかったファイル：\n"
            u"  N6.txt: Patdat32.ini がないか空のため、X6.TXT のデータは変換されませんでした。 "
            u"(S:\\Patdat32.ini)\n"
            u"主な土質が見つからなかった層の記述（X1.TXT の記録番号）：\n  13: 粘板岩");
}

TEST_F(Form1Run, ATableThatCannotBeUsedStopsTheRunBeforeItStarts) {
  WriteBytes(ReadingsFile(), platform::ToUtf8(u"記述,読み替え\n粘板岩,硬岩\n粘板岩 ,軟岩\n"));
  form_.StatusShown = 0;
  view_.port.status = u"before";
  ExecuteIntoK1();
  ASSERT_EQ(view_.port.messages.size(), 1u);
  EXPECT_EQ(view_.port.messages[0].text,
            u"土質名の読み替え表を使えないため、変換しませんでした。\n" +
                platform::PathText(ReadingsFile()) +
                u"\n2 行目、3 行目：同じ記述に異なる読み替えがあります。");
  EXPECT_EQ(view_.port.messages[0].title, std::nullopt);
  EXPECT_EQ(view_.port.messages[0].icon, MessageIcon::kExclamation);
  EXPECT_EQ(view_.port.calls, std::vector<std::u16string>{u"message"});
  EXPECT_TRUE(fs::is_empty(d_ / "TYUJYOU" / "K1"));
  EXPECT_EQ(form_.StatusShown, 0);
}

}  // namespace
}  // namespace qe2m4::app
