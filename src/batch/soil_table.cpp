#include "batch/soil_table.h"

#include <algorithm>
#include <set>

namespace qe2m4::batch {

void ReadingTally::Add(const BoringResult& result) {
  std::set<std::u16string_view> seen;
  for (const ReadLayer& layer : result.read_layers) {
    auto it = counts_.find(layer.description);
    if (it == counts_.end()) {
      it = counts_.emplace(layer.description, ReadDescription{layer.description, layer.reading})
               .first;
    }
    ++it->second.times;
    ++total_times_;
    if (seen.insert(it->second.description).second) {
      ++it->second.borings;
    }
  }
}

const ReadDescription* ReadingTally::Find(std::u16string_view description) const {
  const auto it = counts_.find(description);
  return it == counts_.end() ? nullptr : &it->second;
}

std::vector<SoilTableRow> SoilTableRows(const SoilTally& unmatched, const ReadingTally& read) {
  std::vector<SoilTableRow> rows;
  std::set<std::u16string_view> listed;
  const std::vector<UnmatchedDescription> descriptions = unmatched.MostFrequentFirst();
  for (const UnmatchedDescription& row : descriptions) {
    const ReadDescription* const reading = read.Find(row.description);
    rows.push_back({row.description, row.times, row.borings,
                    reading != nullptr ? reading->reading : std::u16string()});
    listed.insert(row.description);
  }
  for (const auto& [description, row] : read.descriptions()) {
    if (!listed.contains(description)) {
      rows.push_back({row.description, row.times, row.borings, row.reading});
    }
  }
  std::sort(rows.begin(), rows.end(), [](const SoilTableRow& a, const SoilTableRow& b) {
    if (a.times != b.times) {
      return a.times > b.times;
    }
    if (a.borings != b.borings) {
      return a.borings > b.borings;
    }
    return a.description < b.description;
  });
  return rows;
}

}  // namespace qe2m4::batch
