#pragma once

#include <QProgressDialog>
#include <string_view>

namespace qe2m4::window {

// The small window of a lasting pattern-data search at start-up: a busy bar and the drive and
// folder being searched.
class PatternSearchDialog : public QProgressDialog {
  Q_OBJECT

 public:
  PatternSearchDialog();

  // Names the folder the search has reached (a drive path).
  void Show(std::u16string_view folder);
};

}  // namespace qe2m4::window
