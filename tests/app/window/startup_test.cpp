#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressDialog>
#include <QScreen>
#include <chrono>
#include <filesystem>

#include "app/window/folder_list.h"
#include "app/window/form1.h"
#include "app/window/pattern_search_dialog.h"
#include "common/pattern_folder.h"
#include "support/temp_machine.h"
#include "window_test_support.h"

namespace qe2m4::window {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using qe2m4::testing::TempMachine;
using qe2m4::testing::WriteBytes;
using testing::Child;
using testing::MessageBoxAnswerer;

const QString kApplicationTitle = QString::fromUtf8("Holtvar_Qe -> M4 変換プログラム");

// The program lives in C:\APP and was started in C:\start.
class StartUp : public ::testing::Test {
 protected:
  StartUp() : c_(machine_.AddDrive(u'C')) {
    fs::create_directories(c_ / "APP");
    fs::create_directories(c_ / "start" / "sub");
    machine_.fs().SetProgramFolder(u"C:\\APP");
    machine_.fs().SetCurrentFolder(u"C:\\start");
    machine_.fs().SetCurrentDrive(u'C');
  }

  TempMachine machine_;
  fs::path c_;
};

TEST_F(StartUp, WithoutPatternDataTheProgramEndsWithOneMessage) {
  // An empty kishitu.txt does not make a pattern-data folder.
  WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "");
  WriteBytes(c_ / "data" / "PATDAT" / "kishitu.txt", "");
  Form1 form(machine_.fs());
  MessageBoxAnswerer answerer;
  EXPECT_FALSE(form.Form_Load());
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, QString::fromUtf8(" PATDAT の設定がありません."));
  EXPECT_EQ(answerer.seen()[0].title, kApplicationTitle);
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(answerer.seen()[0].buttons, QMessageBox::Ok);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.PatternFolder, u"");
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "");
}

TEST_F(StartUp, PresetsTheSourceToTyujyouOfTheCurrentDrive) {
  WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "1");
  fs::create_directories(c_ / "TYUJYOU" / "K123");
  Form1 form(machine_.fs());
  form.StatusShown = 1;
  MessageBoxAnswerer answerer;
  ASSERT_TRUE(form.Form_Load());
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(form.PatternFolder, u"C:\\APP\\PATDAT\\");
  EXPECT_EQ(form.StatusShown, 0);
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "C:\\TYUJYOU");
  EXPECT_EQ(Child<FolderList>(form, "Dir2").Path(), u"C:\\TYUJYOU");
  EXPECT_EQ(Child<QLineEdit>(form, "Text1").text(), "");
  EXPECT_EQ(machine_.fs().CurrentFolder(u'C'), u"C:\\TYUJYOU");

  const QRect screen = form.screen()->geometry();
  EXPECT_EQ(form.pos(), QPoint(screen.x() + (screen.width() - form.width()) / 2,
                               screen.y() + (screen.height() - form.height()) / 2));
}

TEST_F(StartUp, WithoutTyujyouTheSourceStaysEmpty) {
  WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "1");
  WriteBytes(c_ / "tyujyou.txt", "not a folder");
  Form1 form(machine_.fs());
  ASSERT_TRUE(form.Form_Load());
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "");
  EXPECT_EQ(Child<FolderList>(form, "Dir2").Path(), u"C:\\start");
}

TEST(PatternSearchDialogTest, NamesTheFolderOnlyWhenTheSearchLasts) {
  {
    PatternSearchDialog quick(1h);
    quick.Visit(u"D:\\A");
    EXPECT_EQ(quick.dialog(), nullptr);
  }
  PatternSearchDialog slow(0ms);
  slow.Visit(u"D:\\A");
  slow.Visit(u"D:\\A\\B");
  ASSERT_NE(slow.dialog(), nullptr);
  EXPECT_TRUE(slow.dialog()->isVisible());
  EXPECT_EQ(slow.dialog()->windowTitle(), kApplicationTitle);
  EXPECT_EQ(slow.dialog()->labelText(),
            QString::fromUtf8("PATDAT ﾌｫﾙﾀﾞを検索しています...\nD:\\A\\B"));
}

TEST(PatternSearchDialogTest, FollowsTheSearchOverTheDrives) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  const fs::path e = machine.AddDrive(u'E');
  fs::create_directories(d / "one" / "two");
  WriteBytes(e / "x" / "PATDAT" / "kishitu.txt", "1");
  machine.fs().SetProgramFolder(u"D:\\one");

  PatternSearchDialog progress(0ms);
  std::vector<std::u16string> visited;
  const std::u16string found = FindPatternFolder(machine.fs(), [&](std::u16string_view folder) {
    visited.emplace_back(folder);
    progress.Visit(folder);
  });
  EXPECT_EQ(found, u"E:\\x\\PATDAT\\");
  ASSERT_FALSE(visited.empty());
  ASSERT_NE(progress.dialog(), nullptr);
  EXPECT_TRUE(progress.dialog()->labelText().endsWith(testing::Q(visited.back())));
}

}  // namespace
}  // namespace qe2m4::window
