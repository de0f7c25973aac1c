#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/conversion_context.h"

namespace qe2m4::batch {

enum class BoringOutcome {
  kConverted,  // the run ended with the success text
  kRefused,    // a check refused the boring before anything was written
  kFailed,     // the run failed part-way; what was completed stays
  kNotRun,     // the batch stopped before this boring started
};

// A level of a destination that takes a host name of its own when it is created
// (FileSystem::SetStoredName): a tree walk mirrors source levels whose stored names are not the
// host form of their texts (CP932 names from a Windows zip), so the copies have the same names.
struct StoredLevelName {
  std::u16string path;  // the level's full drive path
  std::filesystem::path host_name;
};

// A folder that a tree walk reports instead of converting it: its name cannot be one level of
// a path, or it could not be read.
struct WalkProblem {
  BoringOutcome outcome = BoringOutcome::kRefused;
  std::u16string message;  // one line: "title: text"
};

// One boring of a batch: where it comes from and where it goes, as typed into the window's
// source and destination boxes.
struct BatchEntry {
  int line = 0;  // the line of the list (from 1), or the boring's number in a tree walk
  std::u16string source;
  std::u16string destination;
  std::vector<StoredLevelName> stored_names = {};
  // Set for a folder of a tree walk that is not run: its row gives this outcome and message.
  std::optional<WalkProblem> problem = std::nullopt;
};

// Something wrong with the list as a whole; nothing runs when there is one.
struct ListProblem {
  std::vector<int> lines;  // the lines concerned, from 1; empty when the list cannot be read
  std::string message;
};

// What happened to one boring.
struct BoringResult {
  BoringOutcome outcome = BoringOutcome::kNotRun;
  std::vector<std::u16string> messages;  // each as one line: "title: text"
  std::int64_t files = 0;
  std::int64_t lines = 0;
  std::vector<UnmatchedLayer> unmatched_layers;
  std::vector<ReadLayer> read_layers;
};

}  // namespace qe2m4::batch
