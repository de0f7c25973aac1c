#include "destination_files.h"

#include <algorithm>

#include "fuzz_check.h"
#include "platform/temporary_names.h"

namespace qe2m4::fuzz {
namespace fs = std::filesystem;

namespace {

constexpr const char* kNoTemporaryFile = "no temporary file is left in the destination";

}  // namespace

DestinationFiles::DestinationFiles(fs::path root) : root_(std::move(root)) {
  // Room for every file of a run, so that keeping track of them allocates nothing that
  // outlives the run (libFuzzer runs an input again when a run allocated more than it freed).
  present_.reserve(256);
}

void DestinationFiles::Clear() {
  bool walk = walk_;
  const bool complete = watch_.Drain([&](const FolderWatch::Event& event) {
    if ((event.mask & (IN_ISDIR | IN_DELETE_SELF | IN_MOVE_SELF)) != 0) {
      walk = true;  // the folders are not the watched ones any more
    } else if ((event.mask & (IN_CREATE | IN_MOVED_TO)) != 0) {
      Present(event.folder, event.name);
    } else if ((event.mask & (IN_DELETE | IN_MOVED_FROM)) != 0) {
      Absent(event.folder, event.name);
    }
  });
  if (walk || !complete) {
    Walk();
  } else {
    for (const auto& [folder, name] : present_) {
      Require(!platform::IsTemporaryName(name), kNoTemporaryFile);
      fs::remove(watch_.folder(folder) / name);
    }
  }
  present_.clear();
}

void DestinationFiles::Walk() {
  watch_.Clear();
  watch_.Watch(root_);
  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    if (entry.is_directory()) {
      watch_.Watch(entry.path());
      continue;
    }
    Require(!platform::IsTemporaryName(entry.path().filename().native()), kNoTemporaryFile);
    fs::remove(entry.path());
  }
  // What the watch saw so far is the walk's own removals.
  watch_.Drain([](const FolderWatch::Event&) {});
  walk_ = false;
}

void DestinationFiles::Present(std::size_t folder, std::string_view name) {
  const auto it = std::find_if(present_.begin(), present_.end(), [&](const auto& file) {
    return file.first == folder && file.second == name;
  });
  if (it == present_.end()) {
    present_.emplace_back(folder, name);
  }
}

void DestinationFiles::Absent(std::size_t folder, std::string_view name) {
  const auto it = std::find_if(present_.begin(), present_.end(), [&](const auto& file) {
    return file.first == folder && file.second == name;
  });
  if (it != present_.end()) {
    std::iter_swap(it, present_.end() - 1);
    present_.pop_back();
  }
}

}  // namespace qe2m4::fuzz
