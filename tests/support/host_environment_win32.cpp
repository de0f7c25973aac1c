#include <stdlib.h>
#include <windows.h>

#include <stdexcept>

#include "platform/host_paths.h"
#include "support/host_environment.h"

namespace qe2m4::testing {

void SetUserConfigRoot(const std::filesystem::path& root) {
  if (_wputenv_s(L"APPDATA", root.c_str()) != 0) {
    throw std::runtime_error("cannot set APPDATA");
  }
}

std::map<std::string, std::string> UserEnvironment(const std::filesystem::path& root,
                                                   const std::filesystem::path& home) {
  return {{"APPDATA", platform::PathUtf8(root)}, {"USERPROFILE", platform::PathUtf8(home)}};
}

bool MakeFolderLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  return CreateSymbolicLinkW(link.c_str(), target.c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY |
                                 SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
}

}  // namespace qe2m4::testing
