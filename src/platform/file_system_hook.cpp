#include "platform/file_system_hook.h"

#include <algorithm>

#include "platform/host_output.h"

namespace qe2m4::platform {
namespace {

// SplitMix64: every counter value gives another well-mixed number, so that the names drawn
// from one seed are as hard to guess as the seed.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

FileSystemHook::FileSystemHook(std::uint64_t seed) : seed_(seed) {}

int FileSystemHook::Before(FileOperation operation, const std::filesystem::path& host) {
  return test_ ? test_->Before(operation, host) : 0;
}

void FileSystemHook::Changed(FileOperation operation, const std::filesystem::path& host) {
  // What each change leaves at host is known without asking: a rename puts the run's own
  // ordinary file there, a folder made is a new empty folder, a delete leaves nothing.
  HostEntryKind made = HostEntryKind::kNothing;
  if (operation == FileOperation::kRename) {
    made = HostEntryKind::kFile;
  } else if (operation == FileOperation::kCreateFolder) {
    made = HostEntryKind::kFolder;
  }
  cache_.Changed(host, made);
  if (test_) {
    test_->Changed(operation, host);
  }
}

bool FileSystemHook::TakeFolderFlush(const std::filesystem::path& folder) {
  const std::lock_guard lock(mutex_);
  if (runs_ == 0) {
    return false;
  }
  // The run spells each folder's path one way; comparing texts spares splitting them into levels.
  if (std::none_of(owed_.begin(), owed_.end(), [&folder](const std::filesystem::path& owed) {
        return owed.native() == folder.native();
      })) {
    owed_.push_back(folder);
  }
  return true;
}

std::optional<unsigned> FileSystemHook::TemporaryNumber() {
  return static_cast<unsigned>(Mix(seed_ + drawn_.fetch_add(1) * 0x9E3779B97F4A7C15ull) >> 32);
}

void FileSystemHook::BeginRun() {
  const std::lock_guard lock(mutex_);
  if (runs_++ == 0) {
    cache_.Start();
  }
}

void FileSystemHook::EndRun() {
  const std::lock_guard lock(mutex_);
  if (--runs_ == 0) {
    cache_.Stop();
  }
}

std::vector<std::pair<std::filesystem::path, std::uint32_t>> FileSystemHook::FlushOwedFolders() {
  std::vector<std::filesystem::path> owed;
  {
    const std::lock_guard lock(mutex_);
    owed.swap(owed_);
  }
  std::vector<std::pair<std::filesystem::path, std::uint32_t>> failed;
  for (const std::filesystem::path& folder : owed) {
    if (const HostError error = HostFlushFolder(folder)) {
      failed.emplace_back(folder, error);
    }
  }
  return failed;
}

std::uint64_t FileSystemHook::NextSeed() {
  return Mix(seed_ ^ Mix(drawn_.fetch_add(1) + 0x5851F42D4C957F2Dull));
}

}  // namespace qe2m4::platform
