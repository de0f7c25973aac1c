#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "app/window/folder_list_tree.h"
#include "app/window/form1_window.h"
#include "app/window/pattern_search_dialog.h"
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

// What start-up decides is tested through the recording view (tests/app/form1_test.cpp); this
// checks what the Qt window does with it: the source box shows the preset path, and the window
// stands in the middle of its screen.
TEST_F(StartUp, ShowsThePresetSourceInText2AndCentresTheWindow) {
  WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "1");
  fs::create_directories(c_ / "TYUJYOU" / "K123");
  Form1Window form(machine_.fs());
  MessageBoxAnswerer answerer;
  ASSERT_TRUE(form.behaviour().Form_Load());
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "C:\\TYUJYOU");
  EXPECT_EQ(Child<QLineEdit>(form, "Text1").text(), "");

  const QRect screen = form.screen()->geometry();
  EXPECT_EQ(form.pos(), QPoint(screen.x() + (screen.width() - form.width()) / 2,
                               screen.y() + (screen.height() - form.height()) / 2));
}

TEST(PatternSearchDialogTest, NamesTheFolderBeingSearchedUntilTheSearchEnds) {
  TempMachine machine;
  machine.AddDrive(u'D');
  Form1Window form(machine.fs());
  EXPECT_EQ(form.search_dialog(), nullptr);
  form.ShowSearch(u"D:\\A");
  form.ShowSearch(u"D:\\A\\B");
  ASSERT_NE(form.search_dialog(), nullptr);
  EXPECT_TRUE(form.search_dialog()->isVisible());
  EXPECT_EQ(form.search_dialog()->windowTitle(), kApplicationTitle);
  EXPECT_EQ(form.search_dialog()->labelText(),
            QString::fromUtf8("PATDAT ﾌｫﾙﾀﾞを検索しています...\nD:\\A\\B"));
  form.EndSearch();
  EXPECT_EQ(form.search_dialog(), nullptr);
}

TEST(PatternSearchDialogTest, FollowsTheSearchOverTheDrivesAndCloses) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  const fs::path e = machine.AddDrive(u'E');
  fs::create_directories(d / "one" / "two");
  WriteBytes(e / "x" / "PATDAT" / "kishitu.txt", "1");
  machine.fs().SetProgramFolder(u"D:\\one");

  Form1Window form(machine.fs(), nullptr, 0ms);
  std::optional<QString> shown_meanwhile;
  // Runs while the search lets pending events through.
  QTimer::singleShot(0, [&] {
    if (form.search_dialog() != nullptr) {
      shown_meanwhile = form.search_dialog()->labelText();
    }
  });
  ASSERT_TRUE(form.behaviour().Form_Load());
  EXPECT_EQ(form.behaviour().PatternFolder, u"E:\\x\\PATDAT\\");
  ASSERT_TRUE(shown_meanwhile.has_value());
  EXPECT_TRUE(
      shown_meanwhile->startsWith(QString::fromUtf8("PATDAT ﾌｫﾙﾀﾞを検索しています...\nD:\\")));
  EXPECT_EQ(form.search_dialog(), nullptr);
}

}  // namespace
}  // namespace qe2m4::window
