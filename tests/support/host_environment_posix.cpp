#include <stdlib.h>
#include <sys/stat.h>

#include <stdexcept>

#include "platform/utf8.h"
#include "support/host_environment.h"

namespace qe2m4::testing {

void SetUserConfigRoot(const std::filesystem::path& root) {
  if (::setenv("XDG_CONFIG_HOME", root.c_str(), 1) != 0) {
    throw std::runtime_error("cannot set XDG_CONFIG_HOME");
  }
}

std::map<std::string, std::string> UserEnvironment(const std::filesystem::path& root,
                                                   const std::filesystem::path& home) {
  return {{"XDG_CONFIG_HOME", root.string()}, {"HOME", home.string()}};
}

std::string StreamBytes(std::u16string_view text) {
  return platform::ToUtf8(text);
}

bool MakeFileLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  std::filesystem::create_symlink(target, link);
  return true;
}

bool MakeFifo(const std::filesystem::path& path) {
  if (::mkfifo(path.c_str(), 0600) != 0) {
    throw std::runtime_error("cannot make a FIFO");
  }
  return true;
}

bool MakeFolderLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  std::filesystem::create_directory_symlink(target, link);
  return true;
}

}  // namespace qe2m4::testing
