#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <string>

#include "app/window/drive_list.h"
#include "app/window/folder_list.h"
#include "app/window/qt_user_interface.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::window {

// The program's one window: the source and destination folders, each picked with a drive list
// and a folder list or typed into a path box, the execute and quit buttons and the status line.
// The controls keep their classic names (as object names too) and the slots the event-handler
// names; the conversion itself is the shared run behind Command1.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(platform::FileSystem& file_system, QWidget* parent = nullptr);

  // Window-level state: the pattern-data folder found at start-up (ending with "\"), and 1
  // while the status line holds a run's text that the next mouse move over the background
  // clears.
  std::u16string PatternFolder;
  std::int16_t StatusShown = 0;

 public slots:
  // Start-up, before the window is shown. False when the program has to end (no pattern-data
  // folder; the user has been told).
  bool Form_Load();
  void Drive1_Change();
  void Drive2_Change();
  void Dir1_Change();
  void Dir2_Change();
  void Picture1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, int x, int y);
  void Command1_Click();
  void Command2_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowNoTyujyouFolder();

  platform::FileSystem& file_system_;
  // Declared parents first and otherwise in tab order, which is also their creation order.
  QWidget Picture1;
  QGroupBox Frame1;
  FolderList Dir1;
  DriveList Drive1;
  QGroupBox Frame2;
  FolderList Dir2;
  DriveList Drive2;
  QPushButton Command1;
  QPushButton Command2;
  QLineEdit Text1;
  QLabel Label1;
  QLabel Label2;
  QLineEdit Text2;
  QGroupBox Frame3;
  QLabel Label3;
  QtUserInterface ui_;
};

}  // namespace qe2m4::window
