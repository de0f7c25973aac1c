#include <gtest/gtest.h>

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/window/drive_list.h"
#include "app/window/folder_list.h"
#include "app/window/form1.h"
#include "platform/error.h"
#include "support/temp_machine.h"
#include "window_test_support.h"

namespace qe2m4::window {
namespace {

namespace fs = std::filesystem;
using qe2m4::testing::TempMachine;
using testing::Child;
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
    {"Dir2", "qe2m4::window::FolderList", "Frame2", u"", 240, 420, 2595, 1530},
    {"Drive2", "qe2m4::window::DriveList", "Frame2", u"", 210, 2205, 2595, 390},
    {"Frame1", "QGroupBox", "Picture1", u"変換先ﾌｫﾙﾀﾞ名選択", 4980, 1620, 2895, 2895},
    {"Dir1", "qe2m4::window::FolderList", "Frame1", u"", 240, 420, 2415, 1530},
    {"Drive1", "qe2m4::window::DriveList", "Frame1", u"", 240, 2220, 2415, 390},
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
  Form1 form(machine_.fs());
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
  Form1 form(machine_.fs());
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
  Form1 form(machine_.fs());
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

TEST(DriveListTest, ListsTheUsableDrivesLetterFirst) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  machine.AddDrive(u'F');
  machine.fs().MapDrive(u'E', machine.root() / "missing");
  machine.fs().SetCurrentDrive(u'F');
  QWidget parent;
  DriveList list(machine.fs(), &parent);
  ASSERT_EQ(list.count(), 2);
  EXPECT_TRUE(list.itemText(0).startsWith("D: "));
  EXPECT_TRUE(list.itemText(0).contains(QString::fromStdString(d.string())));
  EXPECT_TRUE(list.itemText(1).startsWith("F: "));
  EXPECT_EQ(list.Letter(), u'F');  // the current drive is chosen at the start

  int changes = 0;
  QObject::connect(&list, &DriveList::Change, [&changes] { ++changes; });
  list.SetDrive(u'd');
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.Drive().substr(0, 2), u"D:");
  EXPECT_THROW(list.SetDrive(u'E'), platform::Error);

  // A drive that appears later is listed when the list is read again; the choice stays.
  machine.AddDrive(u'E');
  list.Refresh();
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.Letter(), u'D');
  EXPECT_EQ(changes, 1);
}

class FolderListTest : public ::testing::Test {
 protected:
  FolderListTest() : c_(machine_.AddDrive(u'C')) {
    fs::create_directories(c_ / "Tyujyou" / "K123");
    fs::create_directories(c_ / "Tyujyou" / "A1");
    fs::create_directories(c_ / "Tyujyou" / ".hidden");
    fs::create_directories(c_ / "other");
    machine_.fs().SetCurrentFolder(u"C:\\other");
  }

  // The entries from the top, depth-first, as "indent:text".
  static QStringList Entries(const FolderList& list) {
    QStringList entries;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item,
                                                                int depth) {
      entries << QString::number(depth) + ":" + item->text(0);
      for (int i = 0; i < item->childCount(); ++i) {
        walk(item->child(i), depth + 1);
      }
    };
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
      walk(list.topLevelItem(i), 0);
    }
    return entries;
  }

  TempMachine machine_;
  fs::path c_;
};

TEST_F(FolderListTest, ShowsTheLevelsThenTheSubfolders) {
  QWidget parent;
  FolderList list(machine_.fs(), &parent);
  EXPECT_EQ(list.Path(), u"C:\\other");  // starts at the current folder

  list.SetPath(u"c:\\TYUJYOU");
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou");  // the names as stored
  EXPECT_EQ(Entries(list), (QStringList{"0:C:\\", "1:Tyujyou", "2:A1", "2:K123"}));
  EXPECT_EQ(list.currentItem()->text(0), "Tyujyou");

  list.SetPath(u"C:\\");
  EXPECT_EQ(Entries(list), (QStringList{"0:C:\\", "1:Tyujyou", "1:other"}));
}

TEST_F(FolderListTest, SettingAMissingFolderFailsAndChangesNothing) {
  QWidget parent;
  FolderList list(machine_.fs(), &parent);
  int changes = 0;
  QObject::connect(&list, &FolderList::Change, [&changes] { ++changes; });
  EXPECT_THROW(list.SetPath(u"C:\\tyujyou\\none"), platform::Error);
  EXPECT_THROW(list.SetPath(u"Q:\\"), platform::Error);
  fs::path file = c_ / "file.txt";
  qe2m4::testing::WriteBytes(file, "x");
  EXPECT_THROW(list.SetPath(u"C:\\file.txt"), platform::Error);
  EXPECT_EQ(list.Path(), u"C:\\other");
  EXPECT_EQ(changes, 0);

  list.SetPath(u"C:");  // a drive alone stands for its current folder
  EXPECT_EQ(list.Path(), u"C:\\other");
  EXPECT_EQ(changes, 1);
}

TEST_F(FolderListTest, OpeningAnEntryMakesItTheFolder) {
  QWidget parent;
  FolderList list(machine_.fs(), &parent);
  list.resize(200, 200);
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  list.SetPath(u"C:\\tyujyou");
  std::vector<std::u16string> changes;
  QObject::connect(&list, &FolderList::Change, [&] { changes.push_back(list.Path()); });

  // Enter opens the selected entry.
  list.setCurrentItem(list.findItems("K123", Qt::MatchExactly | Qt::MatchRecursive).front());
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou\\K123");

  // A double-click on a level goes up to it.
  QTreeWidgetItem* const root = list.topLevelItem(0);
  const QPoint at = list.visualItemRect(root).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou\\K123");  // a single click only selects
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(list.Path(), u"C:\\");
  EXPECT_EQ(changes, (std::vector<std::u16string>{u"C:\\Tyujyou\\K123", u"C:\\"}));
}

TEST_F(FolderListTest, AFolderThatWentAwayLeadsToTheNearestLevelLeft) {
  QWidget parent;
  FolderList list(machine_.fs(), &parent);
  list.SetPath(u"C:\\tyujyou");
  fs::remove_all(c_ / "Tyujyou" / "A1");
  list.setCurrentItem(list.findItems("A1", Qt::MatchExactly | Qt::MatchRecursive).front());
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou");
  EXPECT_EQ(Entries(list), (QStringList{"0:C:\\", "1:Tyujyou", "2:K123"}));

  fs::remove_all(c_ / "Tyujyou");
  int changes = 0;
  QObject::connect(&list, &FolderList::Change, [&changes] { ++changes; });
  list.Refresh();
  EXPECT_EQ(list.Path(), u"C:\\");
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace qe2m4::window
