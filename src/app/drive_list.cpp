#include "app/drive_list.h"

#include <algorithm>

#include "platform/drive_table.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"

namespace qe2m4::app {

std::u16string DriveEntryText(const platform::FileSystem& file_system, char16_t letter) {
  std::u16string text{letter, u':'};
  const auto folder = file_system.drives().Folder(letter);
  if (!folder) {
    return text;
  }
  // A drive that is a volume's root shows the volume's label, as Windows users know it ("D:"
  // alone when it has none); a drive mapped onto a folder shows that folder.
  const auto volume = platform::HostVolumeName(*folder);
  const std::u16string name = volume ? *volume : platform::PathText(*folder);
  if (!name.empty()) {
    text += u" [" + name + u"]";
  }
  return text;
}

DriveList::DriveList(const platform::FileSystem& file_system, std::function<void()> changed)
    : file_system_(file_system), changed_(std::move(changed)) {
  Refresh();
  if (const auto current = IndexOf(file_system_.CurrentDrive())) {
    chosen_ = current;
  }
}

std::u16string DriveList::Drive() const {
  return chosen_ ? entries_[*chosen_].text : std::u16string();
}

char16_t DriveList::Letter() const {
  return chosen_ ? entries_[*chosen_].letter : char16_t{0};
}

void DriveList::SetDrive(char16_t letter) {
  const auto upper = platform::DriveLetter(letter);
  const auto index = upper ? IndexOf(*upper) : std::nullopt;
  if (!index) {
    throw platform::Error(platform::ErrorKind::kNoDrive, std::u16string{letter, u':'},
                          "the drive is not usable");
  }
  ChooseIndex(*index);
}

void DriveList::Choose(std::size_t index) {
  if (index < entries_.size()) {
    ChooseIndex(index);
  }
}

void DriveList::Refresh() {
  const char16_t chosen = Letter();
  std::vector<char16_t> letters = file_system_.UsableDrives();
  if (chosen != 0 && std::find(letters.begin(), letters.end(), chosen) == letters.end()) {
    letters.insert(std::upper_bound(letters.begin(), letters.end(), chosen), chosen);
  }
  entries_.clear();
  for (const char16_t letter : letters) {
    entries_.push_back({letter, DriveEntryText(file_system_, letter)});
  }
  chosen_ = IndexOf(chosen);
  if (!chosen_ && !entries_.empty()) {
    chosen_ = 0;  // a list with drives always shows one
  }
}

void DriveList::ChooseIndex(std::size_t index) {
  if (chosen_ == index) {
    return;
  }
  chosen_ = index;
  if (changed_) {
    changed_();
  }
}

std::optional<std::size_t> DriveList::IndexOf(char16_t letter) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].letter == letter) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace qe2m4::app
