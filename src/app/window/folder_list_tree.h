#pragma once

#include <QTreeWidget>

namespace qe2m4::app {
class FolderList;
}

namespace qe2m4::window {

// A folder list on the screen: a tree showing an app::FolderList, each level one step further
// in, the levels with an open folder and the subfolders with a closed one. Opening an entry
// (double-click, or Enter on the selected one) is reported with Opened and the entry's index.
class FolderListTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderListTree(QWidget* parent);

  void Show(const app::FolderList& list);

 signals:
  void Opened(int index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Open(const QTreeWidgetItem* item);
};

}  // namespace qe2m4::window
