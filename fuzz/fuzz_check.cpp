#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/error.h"

namespace qe2m4::fuzz {
namespace fs = std::filesystem;

void Require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "==fuzz== property does not hold: %s\n", property);
    std::abort();
  }
}

void RequireInsideDrive(const platform::FileSystem& file_system, std::u16string_view path) {
  std::u16string full;
  fs::path host;
  try {
    full = file_system.FullPath(path);
    host = file_system.Resolve(path);
  } catch (const platform::Error&) {
    return;
  }
  const std::optional<fs::path> root = file_system.drives().Folder(full.front());
  Require(root.has_value(), "a resolved path has a mapped drive");
  auto level = host.begin();
  for (const fs::path& root_level : *root) {
    if (root_level.empty()) {
      continue;  // the trailing separator of a folder path
    }
    Require(level != host.end() && *level == root_level, "a resolved path starts at its root");
    ++level;
  }
  for (; level != host.end(); ++level) {
    Require(!level->empty() && *level != "." && *level != "..",
            "no level of a resolved path leads above its root");
  }
}

}  // namespace qe2m4::fuzz
