#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "batch/batch_entry.h"

namespace qe2m4::batch {

// A layer description that found no main soil, across a batch.
struct UnmatchedDescription {
  std::u16string description;
  std::int64_t times = 0;    // layers with this description
  std::int64_t borings = 0;  // borings with at least one such layer
};

// Counts the descriptions that found no main soil, boring by boring.
class SoilTally {
 public:
  void Add(const BoringResult& result);
  // Most frequent first; then in more borings; then by the description.
  std::vector<UnmatchedDescription> MostFrequentFirst() const;
  std::int64_t total_times() const { return total_times_; }

 private:
  std::map<std::u16string, UnmatchedDescription> counts_;
  std::int64_t total_times_ = 0;
};

}  // namespace qe2m4::batch
