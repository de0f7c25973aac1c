#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/window/form1_window.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"
#include "window_test_support.h"

namespace qe2m4::window {
namespace {

namespace fs = std::filesystem;
using qe2m4::testing::ReadBytes;
using qe2m4::testing::TempMachine;
using testing::Child;
using testing::MessageBoxAnswerer;

const QString kApplicationTitle = QString::fromUtf8("Holtvar_Qe -> M4 変換プログラム");
const QString kSucceeded = QString::fromUtf8("変換が正常に終了しました。");
const QString kNotice =
    QString::fromUtf8("主な土質が見つからなかった層の記述（X1.TXT の記録番号）：\n  13: 粘板岩");

// The sample of examples/ on drive S: (S:\BORING1, S:\PATDAT, and S:\Patdat32.ini naming
// S:\PATDAT\, S:\ being the system folder), and a destination drive D: holding \TYUJYOU.
class PressingExecute : public ::testing::Test {
 protected:
  PressingExecute() : s_(machine_.AddDrive(u'S')), d_(machine_.AddDrive(u'D')) {
    fs::copy(QE2M4_EXAMPLES_DIR, s_, fs::copy_options::recursive);
    fs::create_directories(d_ / "TYUJYOU");
    machine_.fs().SetSystemFolder(u"S:\\");
    machine_.fs().SetCurrentDrive(u'S');
    // The settings folder, where the window finds the table of soil readings.
    qe2m4::testing::SetUserConfigRoot(machine_.root() / "config");
    form_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form_));
  }

  // Types both paths and presses 実  行.
  void Execute(const QString& source, const QString& destination) {
    Child<QLineEdit>(form_, "Text2").setText(source);
    Child<QLineEdit>(form_, "Text1").setText(destination);
    QTest::mouseClick(&Child<QPushButton>(form_, "Command1"), Qt::LeftButton);
  }

  QString Status() { return Child<QLabel>(form_, "Label3").text(); }

  void MoveMouseOverBackground() {
    QWidget& picture = Child<QWidget>(form_, "Picture1");
    QTest::mouseMove(&picture, QPoint(10, 10));
    QMouseEvent event(QEvent::MouseMove, QPointF(12, 12), picture.mapToGlobal(QPointF(12, 12)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&picture, &event);
  }

  TempMachine machine_;
  fs::path s_;
  fs::path d_;
  Form1Window form_{machine_.fs()};
};

TEST_F(PressingExecute, ConvertsTheBoringAfterYesToTheFolderQuestion) {
  MessageBoxAnswerer answerer({QMessageBox::Yes});
  Execute("S:\\BORING1", "D:\\TYUJYOU\\A1234\\B\\C");
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].text, QString::fromUtf8("ﾌｫﾙﾀﾞがありません。新規作成しますか？"));
  EXPECT_EQ(answerer.seen()[0].title, kApplicationTitle);
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Question);
  EXPECT_EQ(answerer.seen()[0].buttons, QMessageBox::Yes | QMessageBox::No);
  // After the success text, the notice of the sample's layer without a main soil.
  EXPECT_EQ(answerer.seen()[1].text, kNotice);
  EXPECT_EQ(answerer.seen()[1].title, kApplicationTitle);
  EXPECT_EQ(answerer.seen()[1].icon, QMessageBox::Information);
  EXPECT_EQ(answerer.seen()[1].buttons, QMessageBox::Ok);

  EXPECT_EQ(Status(), kSucceeded);
  EXPECT_EQ(form_.behaviour().StatusShown, 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  const fs::path out = d_ / "TYUJYOU" / "A1234" / "B" / "C";
  // Levels 3 to 5 of the destination, an empty line, then fields 5 and 6 of the source CNT.TXT.
  EXPECT_EQ(ReadBytes(out / "CNT.TXT"), "A1\r\nB\r\nC\r\n\r\n12\r\n3\r\n");
  for (const char* name : {"N1.txt", "N4.txt", "N6.txt", "N7.txt", "Titl1.txt", "Titl2.txt"}) {
    EXPECT_TRUE(fs::is_regular_file(out / name)) << name;
  }
  EXPECT_EQ(ReadBytes(out / "N2.TXT"), ReadBytes(s_ / "BORING1" / "N2.TXT"));
}

TEST_F(PressingExecute, NoToTheFolderQuestionChangesNothing) {
  MessageBoxAnswerer answerer({QMessageBox::No});
  Execute("S:\\BORING1", "D:\\TYUJYOU\\NEW\\X");
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Question);
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "NEW"));
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(form_.behaviour().StatusShown, 0);
}

TEST_F(PressingExecute, ShowsTheBusyTextAndHourglassWhileConverting) {
  fs::create_directories(d_ / "TYUJYOU" / "K123");
  std::optional<QString> status_meanwhile;
  std::optional<Qt::CursorShape> pointer_meanwhile;
  // Runs at the one moment the busy run lets pending events through.
  QTimer::singleShot(0, [&] {
    status_meanwhile = Status();
    if (const QCursor* cursor = QApplication::overrideCursor()) {
      pointer_meanwhile = cursor->shape();
    }
  });
  MessageBoxAnswerer answerer;
  Execute("S:\\BORING1", "D:\\TYUJYOU\\K123");
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text, kNotice);
  EXPECT_EQ(status_meanwhile, QString::fromUtf8("只今変換中！　しばらくお待ちください。"));
  EXPECT_EQ(pointer_meanwhile, Qt::WaitCursor);
  EXPECT_EQ(Status(), kSucceeded);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PressingExecute, TheSuccessTextStaysUntilTheMouseMovesOverTheBackground) {
  fs::create_directories(d_ / "TYUJYOU" / "K123");
  {
    const MessageBoxAnswerer answerer;
    Execute("S:\\BORING1", "D:\\TYUJYOU\\K123");
  }
  ASSERT_EQ(Status(), kSucceeded);
  QTest::qWait(20);  // the window goes on handling events: the text stays
  Child<QLineEdit>(form_, "Text1").setFocus();
  EXPECT_EQ(Status(), kSucceeded);

  MoveMouseOverBackground();
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(form_.behaviour().StatusShown, 0);
  Child<QLabel>(form_, "Label3").setText("later");
  MoveMouseOverBackground();
  EXPECT_EQ(Status(), "later");  // only the first move after a run clears it
}

TEST_F(PressingExecute, ABadPathIsReportedAndItsBoxFocusedAndSelected) {
  struct Case {
    QString source;
    QString destination;
    const char* box;
    QString title;  // the path as the check left it
  };
  const Case cases[] = {
      {"Q:\\data", "D:\\TYUJYOU\\K1", "Text2", "Q:\\data"},
      {"S:\\BORING1", " D:\\TY*\\K1 ", "Text1", "D:\\TY*\\K1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Child<QLabel>(form_, "Label3").setText("before");
    MessageBoxAnswerer answerer;
    Execute(c.source, c.destination);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, QString::fromUtf8("指定されたパスは正しくありません。"));
    EXPECT_EQ(answerer.seen()[0].title, c.title);
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(answerer.seen()[0].buttons, QMessageBox::Ok);
    auto& box = Child<QLineEdit>(form_, c.box);
    EXPECT_EQ(form_.focusWidget(), &box);
    EXPECT_EQ(box.selectionStart(), 0);
    EXPECT_EQ(box.selectedText(), box.text());
    EXPECT_FALSE(box.text().isEmpty());
    EXPECT_EQ(Status(), "");
    EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "K1"));
  }
}

TEST_F(PressingExecute, TheNoticeTellsOfN6NotWrittenAndOfTheLayersTheTableRead) {
  fs::create_directories(d_ / "TYUJYOU" / "K123");
  fs::remove(s_ / "Patdat32.ini");
  qe2m4::testing::WriteBytes(machine_.root() / "config" / "qe2m4" / "soil-readings.csv",
                             "記述,読み替え\r\n粘板岩,硬岩\r\n");
  MessageBoxAnswerer answerer;
  Execute("S:\\BORING1", "D:\\TYUJYOU\\K123");
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text,
            QString::fromUtf8("書き込まなかったファイル：\n"
                              "  N6.txt: Patdat32.ini がないか空のため、X6.TXT のデータは"
                              "変換されませんでした。 (S:\\Patdat32.ini)\n"
                              "土質名の読み替え表で読み替えた層：1 層"));
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Information);
  EXPECT_EQ(Status(), kSucceeded);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace qe2m4::window
