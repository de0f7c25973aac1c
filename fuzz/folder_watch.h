#pragma once

#include <sys/inotify.h>

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

namespace qe2m4::fuzz {

// What the kernel saw happen in the watched folders (inotify): every file or folder made,
// written, touched, renamed or removed there, by anyone, reported by name. A fuzz target
// learns from one read what a run changed, where walking the folders and asking for each
// file's state would cost a system call per file.
class FolderWatch {
 public:
  // One change in a watched folder: the folder's index (as Watch returned it), the name of
  // the entry inside it (empty for the folder itself), and the inotify mask.
  struct Event {
    std::size_t folder;
    std::string_view name;
    std::uint32_t mask;
  };

  FolderWatch();
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches a folder; returns its index for Event::folder.
  std::size_t Watch(const std::filesystem::path& folder);
  const std::filesystem::path& folder(std::size_t index) const { return folders_[index]; }
  std::size_t size() const { return folders_.size(); }
  // Stops watching every folder.
  void Clear();

  // Hands every change seen since the last call to on_event, in the order they happened.
  // Returns false when the kernel dropped changes (its queue overflowed): then the caller must
  // look at the folders themselves.
  template <typename OnEvent>
  bool Drain(OnEvent&& on_event) {
    bool complete = true;
    for (;;) {
      const std::size_t length = ReadEvents();
      for (std::size_t at = 0; at < length;) {
        ::inotify_event header;
        std::memcpy(&header, buffer_.data() + at, sizeof header);
        const char* name = buffer_.data() + at + sizeof header;
        at += sizeof header + header.len;
        if ((header.mask & IN_Q_OVERFLOW) != 0) {
          complete = false;
          continue;
        }
        const std::size_t folder = FolderOf(header.wd);
        if (folder == descriptors_.size() || (header.mask & IN_IGNORED) != 0) {
          continue;  // a folder no longer watched
        }
        on_event(Event{folder, std::string_view(name, ::strnlen(name, header.len)), header.mask});
      }
      // A read that left room for the largest event took every event there was.
      if (length + sizeof(::inotify_event) + NAME_MAX + 1 <= buffer_.size()) {
        return complete;
      }
    }
  }

 private:
  // Reads the next events into buffer_; their length in bytes (0: none waiting).
  std::size_t ReadEvents();
  // The index of the folder of a watch descriptor (size() when none).
  std::size_t FolderOf(int descriptor) const;

  int fd_ = -1;
  std::vector<int> descriptors_;  // of each watched folder, by index
  std::vector<std::filesystem::path> folders_;
  alignas(8) std::array<char, 64 * 1024> buffer_{};
};

}  // namespace qe2m4::fuzz
