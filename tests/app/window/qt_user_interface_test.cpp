#include "app/window/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "window_test_support.h"

namespace qe2m4::window {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using testing::MessageBoxAnswerer;

class QtUserInterfaceTest : public ::testing::Test {
 protected:
  QtUserInterfaceTest()
      : status_(&window_),
        source_(&window_),
        destination_(&window_),
        ui_(window_, status_, source_, destination_) {}

  QWidget window_;
  QLabel status_;
  QLineEdit source_;
  QLineEdit destination_;
  QtUserInterface ui_;
};

TEST_F(QtUserInterfaceTest, MessageBoxesCarryTextTitleIconAndButtons) {
  struct Case {
    std::optional<std::u16string> title;
    MessageButtons buttons;
    MessageIcon icon;
    QMessageBox::StandardButton click;
    QString expected_title;
    QMessageBox::Icon expected_icon;
    QMessageBox::StandardButtons expected_buttons;
    MessageAnswer expected_answer;
  };
  const QString application = QString::fromUtf8("Holtvar_Qe -> M4 変換プログラム");
  const Case cases[] = {
      {std::nullopt, MessageButtons::kOk, MessageIcon::kNone, QMessageBox::Ok, application,
       QMessageBox::NoIcon, QMessageBox::Ok, MessageAnswer::kOk},
      {u"C:\\src\\", MessageButtons::kOk, MessageIcon::kExclamation, QMessageBox::Ok, "C:\\src\\",
       QMessageBox::Warning, QMessageBox::Ok, MessageAnswer::kOk},
      {std::nullopt, MessageButtons::kOk, MessageIcon::kInformation, QMessageBox::Ok, application,
       QMessageBox::Information, QMessageBox::Ok, MessageAnswer::kOk},
      {std::nullopt, MessageButtons::kYesNo, MessageIcon::kQuestion, QMessageBox::Yes, application,
       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, MessageAnswer::kYes},
      {std::nullopt, MessageButtons::kYesNo, MessageIcon::kQuestion, QMessageBox::No, application,
       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, MessageAnswer::kNo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected_title.toStdString() + " " + std::to_string(c.click));
    MessageBoxAnswerer answerer({c.click});
    const MessageAnswer answer = ui_.ShowMessage(u"<b>本文</b>", c.title, c.buttons, c.icon);
    EXPECT_EQ(answer, c.expected_answer);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, QString::fromUtf8("<b>本文</b>"));
    EXPECT_EQ(answerer.seen()[0].title, c.expected_title);
    EXPECT_EQ(answerer.seen()[0].icon, c.expected_icon);
    EXPECT_EQ(answerer.seen()[0].buttons, c.expected_buttons);
  }
}

TEST_F(QtUserInterfaceTest, BusyShowsTheHourglassUntilTakenBack) {
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  {
    QtUserInterface ui(window_, status_, source_, destination_);
    ui.SetBusy(true);
    ui.SetBusy(true);  // a second call does not stack a second pointer
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // A question in the middle shows the ordinary pointer and leaves the hourglass after it.
    std::optional<bool> busy_during_question;
    QTimer::singleShot(0,
                       [&] { busy_during_question = QApplication::overrideCursor() != nullptr; });
    MessageBoxAnswerer answerer({QMessageBox::Yes});
    ui.ShowMessage(u"?", std::nullopt, MessageButtons::kYesNo, MessageIcon::kQuestion);
    EXPECT_EQ(busy_during_question, false);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);

    ui.SetBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.SetBusy(true);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the end of the window takes it back
}

TEST_F(QtUserInterfaceTest, StatusFocusAndSelection) {
  window_.show();
  ui_.SetStatus(u"只今変換中！　しばらくお待ちください。");
  EXPECT_EQ(status_.text(), QString::fromUtf8("只今変換中！　しばらくお待ちください。"));

  source_.setText("C:\\src");
  destination_.setText("D:\\dst\\");
  ui_.FocusAndSelect(platform::PathBox::kDestination);
  EXPECT_EQ(window_.focusWidget(), &destination_);
  EXPECT_EQ(destination_.selectionStart(), 0);
  EXPECT_EQ(destination_.selectedText(), "D:\\dst\\");
  EXPECT_FALSE(source_.hasSelectedText());

  ui_.FocusAndSelect(platform::PathBox::kSource);
  EXPECT_EQ(window_.focusWidget(), &source_);
  EXPECT_EQ(source_.selectedText(), "C:\\src");
}

TEST_F(QtUserInterfaceTest, PendingEventsRunOnce) {
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  ui_.ProcessPendingEvents();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace qe2m4::window
