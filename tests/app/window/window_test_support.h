#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace qe2m4::window::testing {

// Answers the message boxes that open while it lives, as a user would: each box is recorded and
// closed by clicking the next answer in line (OK once the line is empty).
class MessageBoxAnswerer {
 public:
  struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
  };

  explicit MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers = {});

  const std::vector<Seen>& seen() const { return seen_; }

 private:
  void Poll();

  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<Seen> seen_;
  QTimer timer_;
};

QString Q(std::u16string_view text);

// The named child of a window, failing the test when it is missing.
template <typename Widget>
Widget& Child(QWidget& window, const char* name) {
  Widget* const child = window.findChild<Widget*>(name);
  if (child == nullptr) {
    throw std::runtime_error(std::string("no control ") + name);
  }
  return *child;
}

}  // namespace qe2m4::window::testing
