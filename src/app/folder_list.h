#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::app {

// A folder list's content, whatever the toolkit shows it with: the levels of its folder from
// the drive's root down, then that folder's subfolders one level deeper. Opening an entry
// (double-click, or Enter on the selected one) makes it the list's folder.
class FolderList {
 public:
  struct Entry {
    std::u16string text;  // "D:\" for the root, else the folder's name
    std::u16string path;  // the full path the entry stands for
    int depth;            // 0 for the root, 1 for its subfolders ...
    bool level;           // a level of the list's folder (shown open), not a subfolder
  };

  // Starts at the current folder of the current drive (or of the first usable drive). filled
  // runs whenever the entries are read again after that (the view shows them then); changed
  // whenever the folder changes, as the list's Change event.
  FolderList(const platform::FileSystem& file_system, std::function<void()> filled,
             std::function<void()> changed);

  // "D:\" for a drive's root, "D:\A\B" below it, the names in their stored letter case; empty
  // when there is no drive at all.
  const std::u16string& Path() const { return path_; }
  const std::vector<Entry>& Entries() const { return entries_; }
  // The entry of the list's folder itself (the last level); meaningless when there is none.
  std::size_t CurrentIndex() const { return current_; }

  // Makes a folder the list's folder. "D:" and relative paths start from the drive's current
  // folder. Throws platform::Error, and changes nothing, when the folder does not exist.
  void SetPath(std::u16string_view path);
  // Reads the subfolders again; when the folder itself went away, the nearest level that is
  // still there becomes the list's folder.
  void Refresh();
  // The user opened an entry: it becomes the list's folder, or, when it went away since the
  // list was read, the list is read again. An index outside the list is ignored.
  void Open(std::size_t index);

 private:
  void Fill();
  void Notify(const std::function<void()>& event) const;

  const platform::FileSystem& file_system_;
  std::function<void()> filled_;
  std::function<void()> changed_;
  std::u16string path_;
  std::vector<Entry> entries_;
  std::size_t current_ = 0;
};

}  // namespace qe2m4::app
