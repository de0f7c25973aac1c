#include "batch/soil_tally.h"

#include <algorithm>
#include <set>

namespace qe2m4::batch {

void SoilTally::Add(const BoringResult& result) {
  std::set<std::u16string_view> seen;
  for (const UnmatchedLayer& layer : result.unmatched_layers) {
    UnmatchedDescription& count = counts_[layer.description];
    count.description = layer.description;
    ++count.times;
    ++total_times_;
    if (seen.insert(count.description).second) {
      ++count.borings;
    }
  }
}

std::vector<UnmatchedDescription> SoilTally::MostFrequentFirst() const {
  std::vector<UnmatchedDescription> list;
  list.reserve(counts_.size());
  for (const auto& [description, count] : counts_) {
    list.push_back(count);
  }
  std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
    return a.times != b.times ? a.times > b.times : a.borings > b.borings;
  });
  return list;
}

}  // namespace qe2m4::batch
