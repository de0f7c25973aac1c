#include "platform/host_folder.h"

#include <algorithm>

#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

std::vector<HostEntry> ReadHostFolder(const fs::path& folder, fs::directory_options options,
                                      std::error_code& ec) {
  std::vector<HostEntry> entries;
  for (fs::directory_iterator it(folder, options, ec), end; !ec && it != end; it.increment(ec)) {
    std::u16string name = PathText(it->path().filename());
    std::optional<NameProblem> problem = LevelNameProblem(name);
    entries.push_back(
        {it->path(), *it, std::filesystem::file_type::none, std::move(name), std::move(problem)});
  }
  SortHostEntries(entries);
  return entries;
}

bool LeadsToRegularFile(const HostEntry& entry, std::error_code& ec) {
  ec.clear();
  if (entry.made != fs::file_type::none) {
    return entry.made == fs::file_type::regular;
  }
  return entry.entry.is_regular_file(ec);
}

void SortHostEntries(std::vector<HostEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const HostEntry& a, const HostEntry& b) {
    return a.name != b.name ? a.name < b.name : a.path.filename() < b.path.filename();
  });
  // Twins lie side by side now; the one a path reaches keeps its name.
  for (std::size_t first = 0; first < entries.size();) {
    std::size_t end = first + 1;
    while (end < entries.size() && entries[end].name == entries[first].name) {
      ++end;
    }
    if (end - first > 1) {
      // As Resolve looks: the text's host forms in their order, else the smallest stored name.
      std::size_t reached = first;
      bool found = false;
      for (const fs::path& form : HostNameForms(entries[first].name)) {
        for (std::size_t i = first; i < end && !found; ++i) {
          if (entries[i].path.filename() == form) {
            reached = i;
            found = true;
          }
        }
      }
      for (std::size_t i = first; i < end; ++i) {
        if (i != reached && !entries[i].problem) {
          entries[i].problem = NameProblem{NameProblemKind::kTwin};
        }
      }
    }
    first = end;
  }
}

}  // namespace qe2m4::platform
