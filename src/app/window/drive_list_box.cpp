#include "app/window/drive_list_box.h"

#include "app/drive_list.h"
#include "app/window/qt_text.h"

namespace qe2m4::window {

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) { emit Chosen(index); });
}

void DriveListBox::Show(const app::DriveList& list) {
  const QSignalBlocker blocker(this);
  const auto& entries = list.Entries();
  bool same = count() == static_cast<int>(entries.size());
  for (int i = 0; same && i < count(); ++i) {
    same = itemText(i) == ToQString(entries[static_cast<std::size_t>(i)].text);
  }
  if (!same) {
    clear();
    for (const app::DriveList::Entry& entry : entries) {
      addItem(ToQString(entry.text), QChar(entry.letter));
    }
  }
  setCurrentIndex(list.Chosen() ? static_cast<int>(*list.Chosen()) : -1);
}

void DriveListBox::showPopup() {
  emit Opening();
  QComboBox::showPopup();
}

}  // namespace qe2m4::window
