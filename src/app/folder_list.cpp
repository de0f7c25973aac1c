#include "app/folder_list.h"

#include <algorithm>
#include <cerrno>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/names.h"

namespace qe2m4::app {

namespace {

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

}  // namespace

FolderList::FolderList(const platform::FileSystem& file_system, std::function<void()> filled,
                       std::function<void()> changed)
    : file_system_(file_system),
      filled_(std::move(filled)),
      changed_(std::move(changed)),
      path_(StartFolder(file_system)) {
  Fill();
}

void FolderList::SetPath(std::u16string_view path) {
  const std::u16string full = file_system_.FullPath(path);
  if (!file_system_.FolderExists(full)) {
    throw platform::Error(platform::ErrorKind::kRead, full, platform::SystemReason(ENOENT));
  }
  path_ = StoredPath(file_system_, full);
  Fill();
  Notify(filled_);
  Notify(changed_);
}

void FolderList::Refresh() {
  if (path_.empty() || file_system_.FolderExists(path_)) {
    Fill();
    Notify(filled_);
    return;
  }
  std::u16string path = path_;
  while (path.size() > 3 && !file_system_.FolderExists(path)) {
    path.erase(std::max<std::size_t>(path.rfind(u'\\'), 3));
  }
  path_ = path;
  Fill();
  Notify(filled_);
  Notify(changed_);
}

void FolderList::Open(std::size_t index) {
  if (index >= entries_.size()) {
    return;
  }
  try {
    SetPath(entries_[index].path);
  } catch (const platform::Error&) {
    Refresh();
  }
}

void FolderList::Fill() {
  entries_.clear();
  current_ = 0;
  if (!path_.empty()) {
    std::u16string prefix = path_.substr(0, 3);
    entries_.push_back({prefix, prefix, 0, true});
    for (const std::u16string& level : Levels(path_)) {
      prefix = Join(prefix, level);
      entries_.push_back({level, prefix, static_cast<int>(entries_.size()), true});
    }
    current_ = entries_.size() - 1;
    const int depth = static_cast<int>(entries_.size());
    try {
      for (const platform::FolderEntry& entry : file_system_.ListFolders(path_)) {
        entries_.push_back({entry.name, Join(path_, entry.name), depth, false});
      }
    } catch (const platform::Error&) {
      // An unreadable folder shows its levels and no subfolders.
    }
  }
}

void FolderList::Notify(const std::function<void()>& event) const {
  if (event) {
    event();
  }
}

}  // namespace qe2m4::app
