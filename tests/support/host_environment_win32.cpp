#include <stdlib.h>
#include <windows.h>

#include <stdexcept>

#include "platform/cp932.h"
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

std::string StreamBytes(std::u16string_view text) {
  return platform::EncodeCp932(text);
}

bool MakeFileLink(const std::filesystem::path&, const std::filesystem::path&) {
  // Links to files need a privilege Windows users lack by default (and Wine's links to files
  // do not loop as Windows's do): the cases that need one are tested where links are common.
  return false;
}

bool MakeFifo(const std::filesystem::path&) {
  return false;  // Windows's named pipes live outside the file system
}

bool MakeFolderLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  // Wine reports success without making the link: only a link that is there counts.
  return CreateSymbolicLinkW(
             link.c_str(), target.c_str(),
             SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0 &&
         GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace qe2m4::testing
