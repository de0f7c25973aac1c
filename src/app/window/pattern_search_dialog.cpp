#include "app/window/pattern_search_dialog.h"

#include "app/texts.h"
#include "app/window/qt_text.h"

namespace qe2m4::window {

namespace texts = app::texts;

namespace {

// Wide enough for a usual path; longer ones are shortened in the middle.
constexpr int kLabelWidthInCharacters = 60;

}  // namespace

PatternSearchDialog::PatternSearchDialog() {
  setWindowTitle(ToQString(texts::kApplicationTitle));
  setCancelButton(nullptr);
  setRange(0, 0);  // a busy bar: the number of folders is not known beforehand
  setMinimumDuration(0);
  setAutoClose(false);
  setAutoReset(false);
  setLabelText(ToQString(texts::kSearchingPatternFolder) + u'\n');
  setFixedWidth(fontMetrics().averageCharWidth() * kLabelWidthInCharacters);
}

void PatternSearchDialog::Show(std::u16string_view folder) {
  const QString path =
      fontMetrics().elidedText(ToQString(folder), Qt::ElideMiddle, width() * 9 / 10);
  setLabelText(ToQString(texts::kSearchingPatternFolder) + u'\n' + path);
  if (!isVisible()) {
    show();
  }
}

}  // namespace qe2m4::window
