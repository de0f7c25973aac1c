#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_entry.h"
#include "batch/soil_tally.h"

namespace qe2m4::batch {

// A layer description the table of soil readings read, across a batch.
struct ReadDescription {
  std::u16string description;
  std::u16string reading;
  std::int64_t times = 0;    // layers with this description
  std::int64_t borings = 0;  // borings with at least one such layer
};

// Counts the descriptions the table of soil readings read, boring by boring.
class ReadingTally {
 public:
  void Add(const BoringResult& result);
  // The description's count, or nullptr when the table read no layer of it.
  const ReadDescription* Find(std::u16string_view description) const;
  const std::map<std::u16string, ReadDescription, std::less<>>& descriptions() const {
    return counts_;
  }
  std::int64_t total_times() const { return total_times_; }

 private:
  std::map<std::u16string, ReadDescription, std::less<>> counts_;
  std::int64_t total_times_ = 0;
};

// A row of the batch's soil table.
struct SoilTableRow {
  std::u16string description;
  std::int64_t times = 0;
  std::int64_t borings = 0;
  std::u16string reading;  // empty when the table of soil readings read none of its layers
};

// The soil table: every description that found no main soil and every description the table of
// soil readings read, each with its reading, most frequent first (then in more borings, then by
// the description). With its column 読み替え filled in, it serves as the next run's table.
std::vector<SoilTableRow> SoilTableRows(const SoilTally& unmatched, const ReadingTally& read);

}  // namespace qe2m4::batch
