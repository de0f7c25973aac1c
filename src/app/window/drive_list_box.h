#pragma once

#include <QComboBox>

namespace qe2m4::app {
class DriveList;
}

namespace qe2m4::window {

// A drive list on the screen: a drop-down list showing an app::DriveList (each entry's data is
// its drive letter). The user's choice is reported with Chosen; opening the list first asks for
// fresh entries with Opening.
class DriveListBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent);

  void Show(const app::DriveList& list);
  void showPopup() override;

 signals:
  void Opening();
  void Chosen(int index);
};

}  // namespace qe2m4::window
