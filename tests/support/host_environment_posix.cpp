#include <stdlib.h>

#include <stdexcept>

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

bool MakeFolderLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  std::filesystem::create_directory_symlink(target, link);
  return true;
}

}  // namespace qe2m4::testing
