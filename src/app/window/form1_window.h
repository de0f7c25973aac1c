#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/window/drive_list_box.h"
#include "app/window/folder_list_tree.h"
#include "app/window/pattern_search_dialog.h"
#include "app/window/qt_user_interface.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::window {

// The program's one window on Qt: the controls of the control table (their classic names as
// object names), shown and wired to Form1's behaviour, which decides everything else.
class Form1Window : public QWidget, public app::Form1View {
  Q_OBJECT

 public:
  explicit Form1Window(
      platform::FileSystem& file_system, QWidget* parent = nullptr,
      std::chrono::milliseconds search_progress_delay = app::Form1::kSearchProgressDelay);

  app::Form1& behaviour() { return form_; }
  // The start-up search's window while it is shown, else nullptr.
  const PatternSearchDialog* search_dialog() const { return search_.get(); }

  std::u16string PathText(Side side) const override;
  void SetPathText(Side side, std::u16string_view text) override;
  void ShowDrives(Side side, const app::DriveList& list) override;
  void ShowFolders(Side side, const app::FolderList& list) override;
  void CentreWindow() override;
  void ShowSearch(std::u16string_view folder) override;
  void EndSearch() override;
  void EndProgram() override;
  platform::UserInterface& Port() override { return ui_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit& PathBox(Side side) { return side == Side::kSource ? Text2 : Text1; }
  void LayOut();
  void Connect(Side side, DriveListBox& drive, FolderListTree& dir);

  // Declared parents first and otherwise in tab order, which is also their creation order.
  QWidget Picture1;
  QGroupBox Frame1;
  FolderListTree Dir1;
  DriveListBox Drive1;
  QGroupBox Frame2;
  FolderListTree Dir2;
  DriveListBox Drive2;
  QPushButton Command1;
  QPushButton Command2;
  QLineEdit Text1;
  QLabel Label1;
  QLabel Label2;
  QLineEdit Text2;
  QGroupBox Frame3;
  QLabel Label3;
  QtUserInterface ui_;
  std::unique_ptr<PatternSearchDialog> search_;
  app::Form1 form_;
};

}  // namespace qe2m4::window
