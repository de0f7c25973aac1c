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
  // The entry's name as the folder stores it (one level): its path is the folder's path and
  // this, made only where it is needed.
  std::filesystem::path stored;
  // The entry's own type (a link not followed) as the folder's listing told it, without another
  // call; none where the listing did not tell (the system is asked then), and for an entry the
  // run made itself.
  std::filesystem::file_type listed = std::filesystem::file_type::none;
  // What the run made there itself (a file it renamed there, a folder it made), known
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

// The host's part of ReadHostFolder: appends the folder's entries but "." and "..", each with its
// stored name and listed type, in the folder's own order. skip_permission_denied in options makes a
// folder that may not be read an empty one; ec reports any other failure.
void ListHostFolder(const std::filesystem::path& folder, std::filesystem::directory_options options,
                    std::vector<HostEntry>& entries, std::error_code& ec);

// Whether the entry is an ordinary file or leads to one; only a listed entry whose listing did
// not tell its type, or a link, is looked at on the host.
bool LeadsToRegularFile(const std::filesystem::path& folder, const HostEntry& entry,
                        std::error_code& ec);

// Adds an entry to entries kept in that order, where a listing would put it, and marks its
// twins as a listing would; the entry's stored name is not in entries yet.
void InsertHostEntry(std::vector<HostEntry>& entries, HostEntry entry);

}  // namespace qe2m4::platform
