#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/host_folder.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

struct FolderCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

// The type a listing tells, as the system's d_type gives it; none where the file system does
// not tell it.
fs::file_type ListedType(unsigned char type) {
  switch (type) {
    case DT_REG:
      return fs::file_type::regular;
    case DT_DIR:
      return fs::file_type::directory;
    case DT_LNK:
      return fs::file_type::symlink;
    case DT_BLK:
      return fs::file_type::block;
    case DT_CHR:
      return fs::file_type::character;
    case DT_FIFO:
      return fs::file_type::fifo;
    case DT_SOCK:
      return fs::file_type::socket;
    default:
      return fs::file_type::none;
  }
}

}  // namespace

void ListHostFolder(const fs::path& folder, fs::directory_options options,
                    std::vector<HostEntry>& entries, std::error_code& ec) {
  ec.clear();
  const std::unique_ptr<DIR, FolderCloser> listing(::opendir(folder.c_str()));
  if (!listing) {
    if (errno != EACCES ||
        (options & fs::directory_options::skip_permission_denied) == fs::directory_options::none) {
      ec.assign(errno, std::generic_category());
    }
    return;
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(listing.get());
    if (entry == nullptr) {
      if (errno != 0) {
        ec.assign(errno, std::generic_category());
      }
      return;
    }
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
      continue;
    }
    HostEntry& listed = entries.emplace_back();
    listed.stored = fs::path(name);
    listed.listed = ListedType(entry->d_type);
  }
}

}  // namespace qe2m4::platform
