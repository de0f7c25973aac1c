#include "app/window/folder_list.h"

#include <QKeyEvent>
#include <QStyle>
#include <cerrno>
#include <memory>
#include <vector>

#include "app/window/qt_text.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/names.h"

namespace qe2m4::window {

namespace {

constexpr int kPathRole = Qt::UserRole;

// The levels of a full path "D:\A\B" below its root: "A", "B".
std::vector<std::u16string> Levels(std::u16string_view full) {
  std::vector<std::u16string> levels;
  std::size_t start = 3;
  while (start < full.size()) {
    std::size_t end = full.find(u'\\', start);
    if (end == std::u16string_view::npos) {
      end = full.size();
    }
    if (end > start) {
      levels.emplace_back(full.substr(start, end - start));
    }
    start = end + 1;
  }
  return levels;
}

std::u16string Join(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') {
    path += u'\\';
  }
  return path + std::u16string(name);
}

// The full path of an existing folder with every level in its stored letter case, so that the
// path reads as the entries of the list do.
std::u16string StoredPath(const platform::FileSystem& file_system, std::u16string_view full) {
  std::u16string path(full.substr(0, 3));
  for (const std::u16string& level : Levels(full)) {
    std::u16string stored = level;
    try {
      for (const platform::FolderEntry& entry : file_system.ListFolders(path)) {
        if (entry.name == level) {
          stored = entry.name;
          break;
        }
        if (platform::NamesEqual(entry.name, level) && stored == level) {
          stored = entry.name;
        }
      }
    } catch (const platform::Error&) {
      // An unreadable level keeps the name as written.
    }
    path = Join(path, stored);
  }
  return path;
}

std::u16string StartFolder(const platform::FileSystem& file_system) {
  char16_t drive = file_system.CurrentDrive();
  if (drive == 0) {
    const std::vector<char16_t> usable = file_system.UsableDrives();
    if (usable.empty()) {
      return {};
    }
    drive = usable.front();
  }
  const std::u16string current = file_system.CurrentFolder(drive);
  if (file_system.FolderExists(current)) {
    return StoredPath(file_system, current);
  }
  return std::u16string{drive, u':', u'\\'};
}

QTreeWidgetItem* AddItem(QTreeWidget& tree, QTreeWidgetItem* parent, const std::u16string& text,
                         const std::u16string& path, const QIcon& icon) {
  auto item = std::make_unique<QTreeWidgetItem>(QStringList{ToQString(text)});
  item->setData(0, kPathRole, ToQString(path));
  item->setIcon(0, icon);
  item->setToolTip(0, ToQString(path));
  QTreeWidgetItem* const added = item.get();
  if (parent != nullptr) {
    parent->addChild(item.release());
  } else {
    tree.addTopLevelItem(item.release());
  }
  return added;
}

}  // namespace

FolderList::FolderList(const platform::FileSystem& file_system, QWidget* parent)
    : QTreeWidget(parent), file_system_(file_system), path_(StartFolder(file_system)) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setIndentation(fontMetrics().averageCharWidth() * 2);
  setUniformRowHeights(true);
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](const QTreeWidgetItem* item) { Open(item); });
  Fill();
}

void FolderList::SetPath(std::u16string_view path) {
  const std::u16string full = file_system_.FullPath(path);
  if (!file_system_.FolderExists(full)) {
    throw platform::Error(platform::ErrorKind::kRead, full, platform::SystemReason(ENOENT));
  }
  path_ = StoredPath(file_system_, full);
  Fill();
  emit Change();
}

void FolderList::Refresh() {
  if (path_.empty() || file_system_.FolderExists(path_)) {
    Fill();
    return;
  }
  std::u16string path = path_;
  while (path.size() > 3 && !file_system_.FolderExists(path)) {
    path.erase(std::max<std::size_t>(path.rfind(u'\\'), 3));
  }
  path_ = path;
  Fill();
  emit Change();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Open(currentItem());
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void FolderList::Open(const QTreeWidgetItem* item) {
  if (item == nullptr) {
    return;
  }
  try {
    SetPath(ToU16(item->data(0, kPathRole).toString()));
  } catch (const platform::Error&) {
    // The folder went away since the list was filled.
    Refresh();
  }
}

void FolderList::Fill() {
  clear();
  if (path_.empty()) {
    return;
  }
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  std::u16string prefix = path_.substr(0, 3);
  QTreeWidgetItem* current = AddItem(*this, nullptr, prefix, prefix, open);
  for (const std::u16string& level : Levels(path_)) {
    prefix = Join(prefix, level);
    current = AddItem(*this, current, level, prefix, open);
  }
  try {
    for (const platform::FolderEntry& entry : file_system_.ListFolders(path_)) {
      AddItem(*this, current, entry.name, Join(path_, entry.name), closed);
    }
  } catch (const platform::Error&) {
    // An unreadable folder shows its levels and no subfolders.
  }
  expandAll();
  setCurrentItem(current);
  scrollToItem(current);
}

}  // namespace qe2m4::window
