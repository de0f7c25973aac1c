#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::app {

// A drive list's content, whatever the toolkit shows it with: one entry per usable drive, its
// text "D: [label]" with the letter and ":" first (the handlers take the first two characters),
// and the chosen entry. The entries are read again whenever the list is opened, as drives come
// and go.
class DriveList {
 public:
  struct Entry {
    char16_t letter;
    std::u16string text;
  };

  // Lists the usable drives and chooses the current drive. changed runs whenever the choice
  // changes, as the list's Change event.
  DriveList(const platform::FileSystem& file_system, std::function<void()> changed);

  const std::vector<Entry>& Entries() const { return entries_; }
  // The chosen entry's index, or nullopt when there is no drive at all.
  std::optional<std::size_t> Chosen() const { return chosen_; }
  // The chosen entry's text, or the empty text when there is none.
  std::u16string Drive() const;
  // The chosen drive's letter, or 0.
  char16_t Letter() const;

  // Chooses a drive by its letter (either case). Throws platform::Error when the drive is not in
  // the list.
  void SetDrive(char16_t letter);
  // The user chose an entry (an index outside the list is ignored).
  void Choose(std::size_t index);
  // Reads the usable drives again, keeping the chosen one (listed even when it went away, so
  // that the choice never changes without a Change).
  void Refresh();

 private:
  void ChooseIndex(std::size_t index);
  std::optional<std::size_t> IndexOf(char16_t letter) const;

  const platform::FileSystem& file_system_;
  std::function<void()> changed_;
  std::vector<Entry> entries_;
  std::optional<std::size_t> chosen_;
};

// The text of a drive's entry: its letter, ":" and, in brackets, the label of the volume when the
// drive is one's root (nothing when it has none), else the folder the drive is mapped onto.
std::u16string DriveEntryText(const platform::FileSystem& file_system, char16_t letter);

}  // namespace qe2m4::app
