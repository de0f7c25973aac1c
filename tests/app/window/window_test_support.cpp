#include "window_test_support.h"

#include <QAbstractButton>
#include <QApplication>

#include "app/window/qt_text.h"

namespace qe2m4::window::testing {

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers)
    : answers_(std::move(answers)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(5);
}

void MessageBoxAnswerer::Poll() {
  auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) {
    return;
  }
  seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
  QMessageBox::StandardButton answer = QMessageBox::Ok;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (QAbstractButton* const button = box->button(answer)) {
    button->click();
  } else {
    box->reject();
  }
}

QString Q(std::u16string_view text) {
  return ToQString(text);
}

}  // namespace qe2m4::window::testing
