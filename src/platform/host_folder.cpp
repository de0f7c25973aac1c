#include "platform/host_folder.h"

#include <algorithm>

#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

bool ComesBefore(const HostEntry& a, const HostEntry& b) {
  return a.name != b.name ? a.name < b.name : a.stored.native() < b.stored.native();
}

// Marks the twins among entries[first, end), entries whose names read as one text: all but the
// one a path reaches, as Resolve looks (the text's host forms in their order, else the smallest
// stored name).
void MarkTwins(std::vector<HostEntry>& entries, std::size_t first, std::size_t end) {
  if (end - first < 2) {
    return;
  }
  std::size_t reached = first;
  bool found = false;
  for (const fs::path& form : HostNameForms(entries[first].name)) {
    for (std::size_t i = first; i < end && !found; ++i) {
      if (entries[i].stored.native() == form.native()) {
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

// Puts entries in their order and marks the twins.
void SortHostEntries(std::vector<HostEntry>& entries) {
  std::sort(entries.begin(), entries.end(), ComesBefore);
  // Twins lie side by side now.
  for (std::size_t first = 0; first < entries.size();) {
    std::size_t end = first + 1;
    while (end < entries.size() && entries[end].name == entries[first].name) {
      ++end;
    }
    MarkTwins(entries, first, end);
    first = end;
  }
}

}  // namespace

std::vector<HostEntry> ReadHostFolder(const fs::path& folder, fs::directory_options options,
                                      std::error_code& ec) {
  std::vector<HostEntry> entries;
  ListHostFolder(folder, options, entries, ec);
  for (HostEntry& entry : entries) {
    entry.name = PathText(entry.stored);
    entry.problem = LevelNameProblem(entry.name);
  }
  SortHostEntries(entries);
  return entries;
}

bool LeadsToRegularFile(const fs::path& folder, const HostEntry& entry, std::error_code& ec) {
  ec.clear();
  if (entry.made != fs::file_type::none) {
    return entry.made == fs::file_type::regular;
  }
  if (entry.listed != fs::file_type::none && entry.listed != fs::file_type::symlink) {
    return entry.listed == fs::file_type::regular;
  }
  return fs::status(folder / entry.stored, ec).type() == fs::file_type::regular;
}

void InsertHostEntry(std::vector<HostEntry>& entries, HostEntry entry) {
  const auto at = entries.insert(
      std::upper_bound(entries.begin(), entries.end(), entry, ComesBefore), std::move(entry));
  // Only the new entry's twins may be marked anew; the rest were marked before.
  std::size_t first = static_cast<std::size_t>(at - entries.begin());
  std::size_t end = first + 1;
  while (first > 0 && entries[first - 1].name == at->name) {
    --first;
  }
  while (end < entries.size() && entries[end].name == entries[first].name) {
    ++end;
  }
  MarkTwins(entries, first, end);
}

}  // namespace qe2m4::platform
