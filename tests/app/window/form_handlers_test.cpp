#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/window/drive_list_box.h"
#include "app/window/folder_list_tree.h"
#include "app/window/form1_window.h"
#include "support/temp_machine.h"
#include "window_test_support.h"

namespace qe2m4::window {
namespace {

namespace fs = std::filesystem;
using qe2m4::testing::TempMachine;
using testing::Child;
using testing::MessageBoxAnswerer;

// Drive C holds \Tyujyou with one boring folder; drive D holds no \tyujyou.
class Handlers : public ::testing::Test {
 protected:
  Handlers() : c_(machine_.AddDrive(u'C')), d_(machine_.AddDrive(u'D')) {
    fs::create_directories(c_ / "Tyujyou" / "K123");
    fs::create_directories(c_ / "start");
    fs::create_directories(d_ / "work" / "B1");
    machine_.fs().SetCurrentFolder(u"D:\\work");
    machine_.fs().SetCurrentFolder(u"C:\\start");
    machine_.fs().SetCurrentDrive(u'C');
  }

  void Choose(DriveListBox& list, char16_t letter) {
    list.setCurrentIndex(list.findData(QChar(letter)));
  }

  TempMachine machine_;
  fs::path c_;
  fs::path d_;
};

// What Form1 does with each choice is tested through the recording view (tests/app/form1_test.cpp);
// these check that the Qt widgets reach its handlers. Drive1 and Dir2 are checked with their
// widgets in controls_test.cpp.
TEST_F(Handlers, ChoosingInTheSourceDriveListReachesTheSourceBox) {
  Form1Window form(machine_.fs());
  MessageBoxAnswerer answerer;
  Choose(Child<DriveListBox>(form, "Drive2"), u'D');
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "D:\\work");
  EXPECT_EQ(form.behaviour().Drive2.Letter(), u'D');
  EXPECT_TRUE(answerer.seen().empty());
}

TEST_F(Handlers, EnterInTheDestinationFolderListReachesTheDestinationBox) {
  Form1Window form(machine_.fs());
  auto& list = Child<FolderListTree>(form, "Dir1");
  form.behaviour().Dir1.SetPath(u"C:\\tyujyou");
  list.setCurrentItem(list.findItems("K123", Qt::MatchExactly | Qt::MatchRecursive).front());
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(Child<QLineEdit>(form, "Text1").text(), "C:\\Tyujyou\\K123");
  EXPECT_EQ(form.behaviour().Dir1.Path(), u"C:\\Tyujyou\\K123");
}

TEST_F(Handlers, MouseMoveClearsTheStatusLineOnceAfterARun) {
  Form1Window form(machine_.fs());
  auto& picture = Child<QWidget>(form, "Picture1");
  auto& status = Child<QLabel>(form, "Label3");
  const auto move = [&picture] {
    QMouseEvent event(QEvent::MouseMove, QPointF(40, 40), QPointF(40, 40), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&picture, &event);
  };
  status.setText("kept");
  move();
  EXPECT_EQ(status.text(), "kept");  // no run has shown anything

  form.behaviour().StatusShown = 1;
  move();
  EXPECT_EQ(status.text(), "");
  EXPECT_EQ(form.behaviour().StatusShown, 0);
}

TEST_F(Handlers, QuitButtonClosesTheWindow) {
  Form1Window form(machine_.fs());
  form.show();
  ASSERT_TRUE(form.isVisible());
  Child<QPushButton>(form, "Command2").click();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace qe2m4::window
