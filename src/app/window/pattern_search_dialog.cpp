#include "app/window/pattern_search_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "app/texts.h"
#include "app/window/qt_text.h"

namespace qe2m4::window {

namespace texts = app::texts;

namespace {

// Wide enough for a usual path; longer ones are shortened in the middle.
constexpr int kLabelWidthInCharacters = 60;

}  // namespace

PatternSearchDialog::PatternSearchDialog(std::chrono::milliseconds delay) : delay_(delay) {
  clock_.start();
}

PatternSearchDialog::~PatternSearchDialog() = default;

void PatternSearchDialog::Visit(std::u16string_view folder) {
  if (!dialog_ && clock_.elapsed() >= delay_.count()) {
    dialog_ = std::make_unique<QProgressDialog>();
    dialog_->setWindowTitle(ToQString(texts::kApplicationTitle));
    dialog_->setCancelButton(nullptr);
    dialog_->setRange(0, 0);  // a busy bar: the number of folders is not known beforehand
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setLabelText(ToQString(texts::kSearchingPatternFolder) + u'\n');
    const int width = dialog_->fontMetrics().averageCharWidth() * kLabelWidthInCharacters;
    dialog_->setFixedWidth(width);
    dialog_->show();
  }
  if (dialog_) {
    const QString path = dialog_->fontMetrics().elidedText(ToQString(folder), Qt::ElideMiddle,
                                                           dialog_->width() * 9 / 10);
    dialog_->setLabelText(ToQString(texts::kSearchingPatternFolder) + u'\n' + path);
  }
  QCoreApplication::processEvents();
}

}  // namespace qe2m4::window
