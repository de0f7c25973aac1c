#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/file_operation_hook.h"
#include "platform/folder_cache.h"
#include "platform/host_file.h"

namespace qe2m4::platform {

// The hook a FileSystem gives the files it opens: it asks the test's hook (when one is
// installed) before every operation, keeps what the run learned of the folders up to date with
// the run's own changes, collects the folder flushes a run owes, and lends the numbers of
// temporary names from one source seeded once.
class FileSystemHook : public FileOperationHook {
 public:
  explicit FileSystemHook(std::uint64_t seed);

  int Before(FileOperation operation, const std::filesystem::path& host) override;
  void Changed(FileOperation operation, const std::filesystem::path& host) override;
  bool TakeFolderFlush(const std::filesystem::path& folder) override;
  std::optional<unsigned> TemporaryNumber() override;
  std::optional<HostEntryKind> KnownKind(const std::filesystem::path& host) override {
    return cache_.KnownKind(host);
  }
  bool DefersCommits() const override;
  void Defer(AtomicFile&& file) override;

  void SetTestHook(std::unique_ptr<FileOperationHook> hook) { test_ = std::move(hook); }
  FileOperationHook* test_hook() const { return test_.get(); }
  FolderCache& cache() { return cache_; }
  const FolderCache& cache() const { return cache_; }

  // A run begins (the outermost of nested ones starts with nothing known) or ends (the
  // outermost drops what was learned).
  void BeginRun();
  void EndRun();
  // Flushes every folder owed so far; the folders that could not be flushed, each with the
  // system's code, in the order they were owed. They are owed no more either way.
  std::vector<std::pair<std::filesystem::path, std::uint32_t>> FlushOwedFolders();

  // A scope of outputs flushed together begins, or ends: the files it was handed and did not
  // commit are removed.
  void BeginTogether();
  void EndTogether();
  // Flushes and publishes the files handed over, in the order they came. Throws the first
  // failure: the files before it stay in place, it and those after it are removed, and
  // removed_together() counts them.
  void CommitTogether();
  std::size_t removed_together() const { return removed_together_; }

  // A seed for the source of another file system.
  std::uint64_t NextSeed();

 private:
  std::unique_ptr<FileOperationHook> test_;
  FolderCache cache_;
  std::mutex mutex_;
  int runs_ = 0;
  std::vector<std::filesystem::path> owed_;  // in the order they were owed, each once
  // The most files handed over at once; a boring's outputs are fewer.
  static constexpr std::size_t kMostHanded = 16;
  bool together_ = false;
  std::vector<AtomicFile> handed_;  // in the order they were handed over
  std::size_t removed_together_ = 0;
  const std::uint64_t seed_;
  std::atomic<std::uint64_t> drawn_{0};
};

}  // namespace qe2m4::platform
