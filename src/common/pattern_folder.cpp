#include "common/pattern_folder.h"

#include <optional>

#include "platform/file_system.h"
#include "platform/vendor.h"

namespace qe2m4 {
namespace {

constexpr std::u16string_view kFolderName = u"PATDAT";
constexpr std::u16string_view kMarkerFile = u"\\kishitu.txt";

// The first hit of a drive, searched from its root: X:\PATDAT, then every folder of the drive.
std::optional<std::u16string> SearchDrive(const platform::FileSystem& file_system, char16_t letter,
                                          const SearchProgress& progress) {
  if (platform::GoodDrive(file_system, letter) != -1) {
    return std::nullopt;
  }
  std::vector<std::u16string> hits;
  const std::u16string candidate =
      std::u16string{letter, u':', u'\\'} + std::u16string(kFolderName);
  SearchPatternTree(file_system, candidate, hits, progress, 1);
  if (hits.empty()) {
    return std::nullopt;
  }
  return hits.front();
}

}  // namespace

std::u16string FolderPart(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u"\\:");
  return cut == std::u16string_view::npos ? std::u16string()
                                          : std::u16string(path.substr(0, cut + 1));
}

void SearchPatternTree(const platform::FileSystem& file_system, std::u16string_view candidate,
                       std::vector<std::u16string>& hits, const SearchProgress& progress,
                       std::size_t hit_limit) {
  const std::u16string tail(candidate.substr(FolderPart(candidate).size()));
  // Depth-first pre-order with a stack of folders still to visit, so that deep trees cannot
  // exhaust the call stack. Children are pushed in reverse so the first is visited next.
  std::vector<std::u16string> pending{FolderPart(candidate)};
  while (!pending.empty() && hits.size() < hit_limit) {
    const std::u16string folder = std::move(pending.back());
    pending.pop_back();
    if (progress) {
      progress(folder);
    }
    const std::u16string patdat = folder + tail;
    if (platform::FileSize(file_system, patdat + std::u16string(kMarkerFile)) > 0) {
      hits.push_back(patdat + u'\\');
    }
    // Links are never followed, so a link back up the tree cannot make the walk loop; a
    // folder that cannot be read lists nothing.
    const std::vector<platform::FolderEntry> subfolders =
        platform::ReadDirT(file_system, folder + u"*.*");
    for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) {
      if (!it->is_link && it->name != u"." && it->name != u"..") {
        pending.push_back(folder + it->name + u'\\');
      }
    }
  }
}

std::u16string FindPatternFolder(const platform::FileSystem& file_system,
                                 const SearchProgress& progress) {
  std::u16string program_folder = file_system.ProgramFolder();
  std::optional<char16_t> own_drive;
  if (!program_folder.empty()) {
    if (program_folder.back() != u'\\') {
      program_folder += u'\\';
    }
    const std::u16string beside = program_folder + std::u16string(kFolderName);
    if (platform::FileSize(file_system, beside + std::u16string(kMarkerFile)) > 0) {
      return beside + u'\\';
    }
    own_drive = platform::DriveLetter(program_folder.front());
    if (own_drive) {
      if (auto hit = SearchDrive(file_system, *own_drive, progress)) {
        return *hit;
      }
    }
  }
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    // The program's own drive has just been searched without a hit.
    if (letter == own_drive) {
      continue;
    }
    if (auto hit = SearchDrive(file_system, letter, progress)) {
      return *hit;
    }
  }
  return {};
}

}  // namespace qe2m4
