#pragma once

#include <QTreeWidget>
#include <string>
#include <string_view>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::window {

// A folder list: the levels of its folder from the drive's root down, then that folder's
// subfolders. Opening an entry (double-click, or Enter on the selected one) makes it the
// list's folder; every change of the folder emits Change.
class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  // Starts at the current folder of the current drive (or of the first usable drive).
  FolderList(const platform::FileSystem& file_system, QWidget* parent);

  // "D:\" for a drive's root, "D:\A\B" below it, the names in their stored letter case; empty
  // when there is no drive at all.
  const std::u16string& Path() const { return path_; }
  // Makes a folder the list's folder and emits Change. "D:" and relative paths start from the
  // drive's current folder. Throws platform::Error when the folder does not exist.
  void SetPath(std::u16string_view path);
  // Reads the subfolders again; when the folder itself went away, the nearest level that is
  // still there becomes the list's folder.
  void Refresh();

 signals:
  void Change();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Open(const QTreeWidgetItem* item);
  void Fill();

  const platform::FileSystem& file_system_;
  std::u16string path_;
};

}  // namespace qe2m4::window
