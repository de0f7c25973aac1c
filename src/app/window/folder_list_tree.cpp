#include "app/window/folder_list_tree.h"

#include <QKeyEvent>
#include <QStyle>
#include <memory>
#include <vector>

#include "app/folder_list.h"
#include "app/window/qt_text.h"

namespace qe2m4::window {

namespace {

constexpr int kIndexRole = Qt::UserRole;

}  // namespace

FolderListTree::FolderListTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setIndentation(fontMetrics().averageCharWidth() * 2);
  setUniformRowHeights(true);
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](const QTreeWidgetItem* item) { Open(item); });
}

void FolderListTree::Show(const app::FolderList& list) {
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  // parents[d] is the last entry shown at depth d; an entry hangs under the one a step out.
  std::vector<QTreeWidgetItem*> parents;
  QTreeWidgetItem* current = nullptr;
  const auto& entries = list.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const app::FolderList::Entry& entry = entries[i];
    auto item = std::make_unique<QTreeWidgetItem>(QStringList{ToQString(entry.text)});
    item->setData(0, kIndexRole, static_cast<int>(i));
    item->setIcon(0, entry.level ? open : closed);
    item->setToolTip(0, ToQString(entry.path));
    QTreeWidgetItem* const shown = item.get();
    const auto depth = static_cast<std::size_t>(entry.depth);
    if (depth == 0 || depth > parents.size()) {
      addTopLevelItem(item.release());
    } else {
      parents[depth - 1]->addChild(item.release());
    }
    parents.resize(depth + 1);
    parents[depth] = shown;
    if (i == list.CurrentIndex()) {
      current = shown;
    }
  }
  expandAll();
  if (current != nullptr) {
    setCurrentItem(current);
    scrollToItem(current);
  }
}

void FolderListTree::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Open(currentItem());
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void FolderListTree::Open(const QTreeWidgetItem* item) {
  if (item != nullptr) {
    emit Opened(item->data(0, kIndexRole).toInt());
  }
}

}  // namespace qe2m4::window
