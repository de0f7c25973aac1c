#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "folder_watch.h"

namespace qe2m4::fuzz {

// The files a run leaves in the destination drive's folders. After each run Clear requires
// that no temporary file is left (outputs are complete or absent) and removes the run's files,
// so that every run starts from the same folders. The kernel watches each folder of the drive,
// so that the files a run left are known from one read; the folders are walked only when the
// watch cannot tell (a folder was made or removed, or the kernel dropped changes).
class DestinationFiles {
 public:
  explicit DestinationFiles(std::filesystem::path root);

  void Clear();

 private:
  // Checks and removes every file below root_, and watches every folder there.
  void Walk();
  void Present(std::size_t folder, std::string_view name);
  void Absent(std::size_t folder, std::string_view name);

  std::filesystem::path root_;
  FolderWatch watch_;
  bool walk_ = true;  // until the first walk has watched every folder
  std::vector<std::pair<std::size_t, std::string>> present_;  // made by the run, by folder
};

}  // namespace qe2m4::fuzz
