#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/names.h"

namespace qe2m4::platform {

// One entry of a host folder, under the name the program reads it by.
struct HostEntry {
  std::filesystem::path path;  // the folder's path and the stored name
  // The entry as the folder's listing gave it: its type where the listing told it, without
  // another call. Empty for an entry the run made itself.
  std::filesystem::directory_entry entry;
  // What the run made at path itself (a file it renamed there, a folder it made), known
  // without asking the system; none for a listed entry.
  std::filesystem::file_type made = std::filesystem::file_type::none;
  std::u16string name;  // the stored name as text
  // Why the name cannot be one level of a path (LevelNameProblem), or why a path cannot reach
  // this entry by it: another entry's name reads as the same text (a CP932 name beside its
  // UTF-8 twin), and a path of that text leads there. nullopt for every other entry.
  std::optional<NameProblem> problem;
};

// The entries of a host folder, sorted by name, twins by their stored names. Of the entries
// whose names read as one text, the one a path reaches is that under the text's first host form
// (HostNameForms) present, else the one with the smallest stored name; the others get their
// problem.
// ec reports a folder that cannot be read, or a read that failed part-way.
std::vector<HostEntry> ReadHostFolder(const std::filesystem::path& folder,
                                      std::filesystem::directory_options options,
                                      std::error_code& ec);

// Whether the entry is an ordinary file or leads to one; only a listed entry whose listing did
// not tell its type, or a link, is looked at on the host.
bool LeadsToRegularFile(const HostEntry& entry, std::error_code& ec);

// Puts entries in that order and marks the twins, after entries were added or taken away.
void SortHostEntries(std::vector<HostEntry>& entries);

}  // namespace qe2m4::platform
