#pragma once

#include <QElapsedTimer>
#include <chrono>
#include <memory>
#include <string_view>

class QProgressDialog;

namespace qe2m4::window {

// Progress of the pattern-data search at start-up, fed once per folder visited: lets pending
// events run, and once the search has lasted longer than a moment shows a small dialog naming
// the drive and folder being searched. The dialog closes when this object goes.
class PatternSearchDialog {
 public:
  static constexpr std::chrono::milliseconds kDefaultDelay{500};

  explicit PatternSearchDialog(std::chrono::milliseconds delay = kDefaultDelay);
  ~PatternSearchDialog();
  PatternSearchDialog(const PatternSearchDialog&) = delete;
  PatternSearchDialog& operator=(const PatternSearchDialog&) = delete;

  // The search has reached a folder (a drive path).
  void Visit(std::u16string_view folder);

  // The dialog once shown, else nullptr.
  const QProgressDialog* dialog() const { return dialog_.get(); }

 private:
  std::chrono::milliseconds delay_;
  QElapsedTimer clock_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace qe2m4::window
