#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
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

// The run itself is tested through the recording view (tests/app/form1_test.cpp,
// conversion_run_test.cpp); this presses the real button on typed paths and answers real message
// boxes, once. The sample of examples/ on drive S: (S:\BORING1, S:\PATDAT, and S:\Patdat32.ini
// naming S:\PATDAT\, S:\ being the system folder), and a destination drive D: holding \TYUJYOU.
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

}  // namespace
}  // namespace qe2m4::window
