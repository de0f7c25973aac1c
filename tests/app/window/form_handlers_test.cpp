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
using testing::Q;

const QString kApplicationTitle = QString::fromUtf8("Holtvar_Qe -> M4 変換プログラム");
const QString kNoTyujyou = QString::fromUtf8(" ＫｉｒｖａｎＭ４のﾌｫﾙﾀﾞ（\\TYUJYOU）がありません.");

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

TEST_F(Handlers, DestinationDriveWithoutTyujyouIsReportedOnceAndKeepsText1) {
  Form1Window form(machine_.fs());
  auto& text1 = Child<QLineEdit>(form, "Text1");
  const app::FolderList& dir1 = form.behaviour().Dir1;
  text1.setText("typed");
  {
    MessageBoxAnswerer answerer;
    Choose(Child<DriveListBox>(form, "Drive1"), u'D');
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, kNoTyujyou);
    EXPECT_EQ(answerer.seen()[0].title, kApplicationTitle);
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(answerer.seen()[0].buttons, QMessageBox::Ok);
  }
  EXPECT_EQ(text1.text(), "typed");
  EXPECT_EQ(dir1.Path(), u"C:\\start");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');  // the drive is made current all the same

  MessageBoxAnswerer answerer;
  Choose(Child<DriveListBox>(form, "Drive1"), u'C');
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(text1.text(), "C:\\Tyujyou");
  EXPECT_EQ(dir1.Path(), u"C:\\Tyujyou");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'C');
  EXPECT_EQ(machine_.fs().CurrentFolder(u'C'), u"C:\\Tyujyou");
}

TEST_F(Handlers, DestinationDriveThatWentAwayIsReportedOnce) {
  const fs::path e = machine_.AddDrive(u'E');
  Form1Window form(machine_.fs());
  fs::remove_all(e);
  MessageBoxAnswerer answerer;
  Choose(Child<DriveListBox>(form, "Drive1"), u'E');
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, kNoTyujyou);
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'C');
}

TEST_F(Handlers, SourceDriveOpensItsCurrentFolderAndFailsSilently) {
  const fs::path e = machine_.AddDrive(u'E');
  Form1Window form(machine_.fs());
  auto& text2 = Child<QLineEdit>(form, "Text2");
  auto& drive2 = Child<DriveListBox>(form, "Drive2");
  MessageBoxAnswerer answerer;
  Choose(drive2, u'D');
  EXPECT_EQ(text2.text(), "D:\\work");
  EXPECT_EQ(form.behaviour().Dir2.Path(), u"D:\\work");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');

  fs::remove_all(e);
  Choose(drive2, u'E');
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(text2.text(), "D:\\work");
  EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');
}

TEST_F(Handlers, ChoosingAFolderReplacesTheTypedPath) {
  struct Case {
    const char* list;
    const char* box;
    app::Form1::Side side;
  };
  for (const Case& c : {Case{"Dir1", "Text1", app::Form1::Side::kDestination},
                        Case{"Dir2", "Text2", app::Form1::Side::kSource}}) {
    SCOPED_TRACE(c.list);
    machine_.fs().SetCurrentFolder(u"C:\\start");
    machine_.fs().SetCurrentDrive(u'D');  // a folder change does not change the drive
    Form1Window form(machine_.fs());
    auto& list = Child<FolderListTree>(form, c.list);
    auto& box = Child<QLineEdit>(form, c.box);
    form.behaviour().Dir(c.side).SetPath(u"C:\\tyujyou");
    box.setText("C:\\typed\\by\\hand");
    list.setCurrentItem(list.findItems("K123", Qt::MatchExactly | Qt::MatchRecursive).front());
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(box.text(), "C:\\Tyujyou\\K123");
    EXPECT_EQ(machine_.fs().CurrentFolder(u'C'), u"C:\\Tyujyou\\K123");
    EXPECT_EQ(machine_.fs().CurrentDrive(), u'D');
  }
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
