#include <gtest/gtest.h>

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/window/drive_list_box.h"
#include "app/window/folder_list_tree.h"
#include "app/window/form1_window.h"
#include "platform/error.h"
#include "support/temp_machine.h"
#include "window_test_support.h"

namespace qe2m4::window {
namespace {

namespace fs = std::filesystem;
using qe2m4::testing::TempMachine;
using testing::Child;
using testing::MessageBoxAnswerer;
using testing::Q;

struct ControlRow {
  const char* name;
  const char* kind;
  const char* container;
  std::u16string_view caption;
  int left, top, width, height;  // twips
};

// The window's controls as its users know them (captions written out, blanks included).
constexpr ControlRow kControls[] = {
    {"Picture1", "QWidget", "Form1", u"", 0, 0, 9075, 6495},
    {"Label2", "QLabel", "Picture1", u"変換元ﾌｫﾙﾀﾞ名 ：", 330, 300, 1995, 315},
    {"Text2", "QLineEdit", "Picture1", u"", 2400, 240, 6255, 405},
    {"Label1", "QLabel", "Picture1", u"変換先ﾌｫﾙﾀﾞ名 ：", 330, 900, 1965, 315},
    {"Text1", "QLineEdit", "Picture1", u"", 2400, 840, 6255, 405},
    {"Frame2", "QGroupBox", "Picture1", u"変換元ﾌｫﾙﾀﾞ名選択", 1200, 1620, 3135, 2895},
    {"Dir2", "qe2m4::window::FolderListTree", "Frame2", u"", 240, 420, 2595, 1530},
    {"Drive2", "qe2m4::window::DriveListBox", "Frame2", u"", 210, 2205, 2595, 390},
    {"Frame1", "QGroupBox", "Picture1", u"変換先ﾌｫﾙﾀﾞ名選択", 4980, 1620, 2895, 2895},
    {"Dir1", "qe2m4::window::FolderListTree", "Frame1", u"", 240, 420, 2415, 1530},
    {"Drive1", "qe2m4::window::DriveListBox", "Frame1", u"", 240, 2220, 2415, 390},
    {"Frame3", "QGroupBox", "Picture1", u"メッセージ", 240, 4740, 8475, 675},
    {"Label3", "QLabel", "Frame3", u"", 180, 240, 8175, 315},
    {"Command1", "QPushButton", "Picture1", u"実  行", 2520, 5580, 1935, 555},
    {"Command2", "QPushButton", "Picture1", u"終  了", 5190, 5580, 2055, 555},
};

int Pixels(int twips, int dpi) {
  return (twips * dpi + 720) / 1440;
}

QString Caption(const QWidget& control) {
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    return label->text();
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(&control)) {
    return box->title();
  }
  if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
    return button->text();
  }
  if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
    return edit->text();
  }
  return {};
}

class Controls : public ::testing::Test {
 protected:
  Controls() {
    machine_.AddDrive(u'C');
    machine_.fs().SetCurrentDrive(u'C');
  }
  TempMachine machine_;
};

TEST_F(Controls, HaveTheirNamesKindsCaptionsAndPlaces) {
  Form1Window form(machine_.fs());
  const int dpi_x = form.logicalDpiX();
  const int dpi_y = form.logicalDpiY();
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Holtvar_Qe -> M4 変換プログラム"));
  EXPECT_EQ(form.size(), QSize(Pixels(9090, dpi_x), Pixels(6495, dpi_y)));
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    QWidget& control = Child<QWidget>(form, row.name);
    EXPECT_STREQ(control.metaObject()->className(), row.kind);
    ASSERT_NE(control.parentWidget(), nullptr);
    EXPECT_EQ(control.parentWidget()->objectName(), row.container);
    EXPECT_EQ(Caption(control), Q(row.caption));
    EXPECT_EQ(control.geometry(), QRect(Pixels(row.left, dpi_x), Pixels(row.top, dpi_y),
                                        Pixels(row.width, dpi_x), Pixels(row.height, dpi_y)));
  }
}

TEST_F(Controls, BackgroundFramesAndLabelsAreLightGrey) {
  Form1Window form(machine_.fs());
  for (const char* name :
       {"Picture1", "Frame1", "Frame2", "Frame3", "Label1", "Label2", "Label3"}) {
    SCOPED_TRACE(name);
    const QWidget& control = Child<QWidget>(form, name);
    EXPECT_TRUE(control.autoFillBackground());
    EXPECT_EQ(control.palette().color(QPalette::Window), QColor(192, 192, 192));
  }
  EXPECT_TRUE(Child<QWidget>(form, "Picture1").hasMouseTracking());
}

TEST_F(Controls, TabKeyVisitsThemInTabIndexOrder) {
  Form1Window form(machine_.fs());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QStringList expected{"Dir1",     "Drive1", "Dir2",  "Drive2", "Command1",
                             "Command2", "Text1",  "Text2", "Dir1"};
  EXPECT_EQ(form.focusWidget()->objectName(), "Dir1");
  QStringList visited{form.focusWidget()->objectName()};
  for (int i = 1; i < expected.size(); ++i) {
    QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
    visited << form.focusWidget()->objectName();
  }
  EXPECT_EQ(visited, expected);
}

TEST(DriveListBoxTest, ShowsTheDrivesAndReportsTheUsersChoice) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  machine.AddDrive(u'F');
  machine.fs().MapDrive(u'E', machine.root() / "missing");
  machine.fs().SetCurrentDrive(u'F');
  Form1Window form(machine.fs());
  auto& drive1 = Child<DriveListBox>(form, "Drive1");
  ASSERT_EQ(drive1.count(), 2);
  EXPECT_TRUE(drive1.itemText(0).startsWith("D: "));
  EXPECT_TRUE(drive1.itemText(0).contains(QString::fromStdString(d.string())));
  EXPECT_TRUE(drive1.itemText(1).startsWith("F: "));
  EXPECT_EQ(drive1.currentIndex(), 1);  // the current drive is chosen at the start

  // Choosing in the box chooses in the list; choosing in the list shows in the box. (Neither
  // drive holds \TYUJYOU: each choice is reported.)
  MessageBoxAnswerer answerer;
  drive1.setCurrentIndex(0);
  EXPECT_EQ(form.behaviour().Drive1.Letter(), u'D');
  form.behaviour().Drive1.SetDrive(u'F');
  EXPECT_EQ(drive1.currentIndex(), 1);

  // Opening the box reads the drives again.
  machine.AddDrive(u'E');
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  drive1.showPopup();
  drive1.hidePopup();
  EXPECT_EQ(drive1.count(), 3);
  EXPECT_EQ(drive1.currentText().left(2), "F:");
  EXPECT_EQ(answerer.seen().size(), 2u);
}

class FolderListTreeTest : public ::testing::Test {
 protected:
  FolderListTreeTest() : c_(machine_.AddDrive(u'C')) {
    fs::create_directories(c_ / "Tyujyou" / "K123");
    fs::create_directories(c_ / "Tyujyou" / "A1");
    fs::create_directories(c_ / "other");
    machine_.fs().SetCurrentFolder(u"C:\\other");
    machine_.fs().SetCurrentDrive(u'C');
  }

  // The entries from the top, depth-first, as "indent:text".
  static QStringList Entries(const QTreeWidget& tree) {
    QStringList entries;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item,
                                                                int depth) {
      entries << QString::number(depth) + ":" + item->text(0);
      for (int i = 0; i < item->childCount(); ++i) {
        walk(item->child(i), depth + 1);
      }
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
      walk(tree.topLevelItem(i), 0);
    }
    return entries;
  }

  TempMachine machine_;
  fs::path c_;
};

TEST_F(FolderListTreeTest, ShowsTheLevelsThenTheSubfoldersOneStepFurtherIn) {
  Form1Window form(machine_.fs());
  auto& dir1 = Child<FolderListTree>(form, "Dir1");
  EXPECT_EQ(Entries(dir1), (QStringList{"0:C:\\", "1:other"}));
  form.behaviour().Dir1.SetPath(u"c:\\TYUJYOU");
  EXPECT_EQ(Entries(dir1), (QStringList{"0:C:\\", "1:Tyujyou", "2:A1", "2:K123"}));
  EXPECT_EQ(dir1.currentItem()->text(0), "Tyujyou");
  EXPECT_EQ(Entries(Child<FolderListTree>(form, "Dir2")), (QStringList{"0:C:\\", "1:other"}));
}

TEST_F(FolderListTreeTest, EnterAndDoubleClickOpenAnEntry) {
  Form1Window form(machine_.fs());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  auto& dir2 = Child<FolderListTree>(form, "Dir2");
  form.behaviour().Dir2.SetPath(u"C:\\tyujyou");

  // Enter opens the selected entry.
  dir2.setCurrentItem(dir2.findItems("K123", Qt::MatchExactly | Qt::MatchRecursive).front());
  QTest::keyClick(&dir2, Qt::Key_Return);
  EXPECT_EQ(form.behaviour().Dir2.Path(), u"C:\\Tyujyou\\K123");
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "C:\\Tyujyou\\K123");

  // A double-click on a level goes up to it; a single click only selects.
  const QPoint at = dir2.visualItemRect(dir2.topLevelItem(0)).center();
  QTest::mouseClick(dir2.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(form.behaviour().Dir2.Path(), u"C:\\Tyujyou\\K123");
  QTest::mouseDClick(dir2.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(form.behaviour().Dir2.Path(), u"C:\\");
  EXPECT_EQ(Entries(dir2), (QStringList{"0:C:\\", "1:Tyujyou", "1:other"}));
}

}  // namespace
}  // namespace qe2m4::window
