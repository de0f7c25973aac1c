#include "app/window/qt_user_interface.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "app/texts.h"
#include "app/window/qt_text.h"

namespace qe2m4::window {

namespace texts = app::texts;

namespace {

QMessageBox::Icon ToQt(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::kInformation:
      return QMessageBox::Information;
    case platform::MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case platform::MessageIcon::kQuestion:
      return QMessageBox::Question;
    case platform::MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtUserInterface::QtUserInterface(QWidget& window, QLabel& status, QLineEdit& source,
                                 QLineEdit& destination)
    : window_(window), status_(status), source_(source), destination_(destination) {}

QtUserInterface::~QtUserInterface() {
  SetBusy(false);
}

platform::MessageAnswer QtUserInterface::ShowMessage(std::u16string_view text,
                                                     const std::optional<std::u16string>& title,
                                                     platform::MessageButtons buttons,
                                                     platform::MessageIcon icon) {
  const bool yes_no = buttons == platform::MessageButtons::kYesNo;
  // Before the window is shown (start-up) the box stands on its own.
  QMessageBox box(ToQt(icon), ToQString(title ? *title : texts::kApplicationTitle), ToQString(text),
                  yes_no ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  window_.isVisible() ? &window_ : nullptr);
  box.setTextFormat(Qt::PlainText);
  if (yes_no) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  }
  // The busy pointer must not hide the arrow over the question.
  const bool was_busy = busy_;
  SetBusy(false);
  const int answer = box.exec();
  SetBusy(was_busy);
  if (!yes_no) {
    return platform::MessageAnswer::kOk;
  }
  return answer == QMessageBox::Yes ? platform::MessageAnswer::kYes : platform::MessageAnswer::kNo;
}

void QtUserInterface::SetStatus(std::u16string_view text) {
  status_.setText(ToQString(text));
}

void QtUserInterface::SetBusy(bool busy) {
  if (busy == busy_) {
    return;
  }
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
  busy_ = busy;
}

void QtUserInterface::ProcessPendingEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::FocusAndSelect(platform::PathBox box) {
  QLineEdit& edit = box == platform::PathBox::kSource ? source_ : destination_;
  edit.setFocus(Qt::OtherFocusReason);
  edit.selectAll();
}

}  // namespace qe2m4::window
