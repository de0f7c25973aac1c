#pragma once

#include <QComboBox>
#include <string>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::window {

// A drive list: one entry per usable drive of the file system, "D: [host folder]", the letter
// and ":" first. Choosing another entry emits Change. The entries are read again whenever the
// list is opened, as drives come and go.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  DriveList(const platform::FileSystem& file_system, QWidget* parent);

  // The chosen entry's text (letter, ":" and label), or the empty text when there is no drive.
  std::u16string Drive() const;
  // The chosen drive's letter, or 0.
  char16_t Letter() const;
  // Chooses a drive by its letter (either case); emits Change when the choice changes.
  // Throws platform::Error when the drive is not in the list.
  void SetDrive(char16_t letter);
  // Reads the usable drives again, keeping the chosen one (listed even when it went away, so
  // that the choice never changes without a Change).
  void Refresh();

 signals:
  void Change();

 protected:
  void showPopup() override;

 private:
  const platform::FileSystem& file_system_;
};

}  // namespace qe2m4::window
