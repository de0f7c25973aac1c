#include "app/window/drive_list.h"

#include <algorithm>

#include "app/window/qt_text.h"
#include "platform/drive_table.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/utf8.h"

namespace qe2m4::window {

namespace {

// "D: [/host/folder]": the letter and ":" first, as the handlers take the first two characters.
QString EntryText(const platform::FileSystem& file_system, char16_t letter) {
  std::u16string text{letter, u':'};
  if (const auto folder = file_system.drives().Folder(letter)) {
    text += u" [" + platform::FromUtf8(folder->string()) + u"]";
  }
  return ToQString(text);
}

}  // namespace

DriveList::DriveList(const platform::FileSystem& file_system, QWidget* parent)
    : QComboBox(parent), file_system_(file_system) {
  Refresh();
  const char16_t current = file_system_.CurrentDrive();
  const int index = findData(QChar(current));
  if (current != 0 && index >= 0) {
    setCurrentIndex(index);
  }
  connect(this, &QComboBox::currentIndexChanged, this, [this] { emit Change(); });
}

std::u16string DriveList::Drive() const {
  return ToU16(currentText());
}

char16_t DriveList::Letter() const {
  const QVariant data = currentData();
  return data.isValid() ? data.toChar().unicode() : char16_t{0};
}

void DriveList::SetDrive(char16_t letter) {
  const auto upper = platform::DriveLetter(letter);
  const int index = upper ? findData(QChar(*upper)) : -1;
  if (index < 0) {
    throw platform::Error(platform::ErrorKind::kNoDrive, std::u16string{letter, u':'},
                          "the drive is not usable");
  }
  setCurrentIndex(index);
}

void DriveList::Refresh() {
  const char16_t chosen = Letter();
  std::vector<char16_t> letters = file_system_.UsableDrives();
  if (chosen != 0 && std::find(letters.begin(), letters.end(), chosen) == letters.end()) {
    letters.insert(std::upper_bound(letters.begin(), letters.end(), chosen), chosen);
  }
  const QSignalBlocker blocker(this);
  clear();
  for (const char16_t letter : letters) {
    addItem(EntryText(file_system_, letter), QChar(letter));
  }
  if (chosen != 0) {
    setCurrentIndex(findData(QChar(chosen)));
  }
}

void DriveList::showPopup() {
  Refresh();
  QComboBox::showPopup();
}

}  // namespace qe2m4::window
