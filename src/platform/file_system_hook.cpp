#include "platform/file_system_hook.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

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

bool FileSystemHook::DefersCommits() const {
  return together_ && HostStartsWriteOut();
}

void FileSystemHook::Defer(AtomicFile&& file) {
  // Each file handed over keeps its handle open until it is committed: a source folder that
  // holds many pass-through copies (one name in many letter cases) must not use up the handles
  // the system allows. Those handed over so far are committed first, before this one is taken:
  // a failure among them is this commit's, and this file stays its writer's, which removes it.
  if (handed_.size() >= kMostHanded) {
    CommitTogether();
  }
  handed_.push_back(std::move(file));
}

void FileSystemHook::BeginTogether() {
  if (together_) {
    throw std::logic_error("outputs flushed together do not nest");
  }
  together_ = true;
  removed_together_ = 0;
}

void FileSystemHook::EndTogether() {
  together_ = false;
  removed_together_ += handed_.size();
  handed_.clear();
}

void FileSystemHook::CommitTogether() {
  // Taken out first: a failure leaves none of them behind, and the ones not published yet are
  // removed as they go out of scope.
  std::vector<AtomicFile> handed;
  handed.swap(handed_);
  // All are made durable before any is renamed: the first flush then commits the file system's
  // record of all of them at once, and the others find theirs on the disk already. Each is
  // still durable before its name replaces the old file's.
  std::size_t durable = 0;
  std::exception_ptr failure;
  try {
    for (; durable < handed.size(); ++durable) {
      handed[durable].MakeDurable();
    }
  } catch (...) {
    failure = std::current_exception();
  }
  // Those made durable before a failure are published all the same, as each would have been
  // alone; a failure to publish one of them came first and is the one thrown.
  for (std::size_t i = 0; i < durable; ++i) {
    try {
      handed[i].Publish();
    } catch (...) {
      removed_together_ += handed.size() - i;
      throw;
    }
  }
  if (failure) {
    removed_together_ += handed.size() - durable;
    std::rethrow_exception(failure);
  }
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
