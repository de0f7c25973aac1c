#include "soil/soil_readings.h"

#include "common/column_rules.h"

namespace qe2m4 {

const std::u16string* SoilReadings::Find(std::u16string_view description) const {
  if (readings_.empty()) {
    return nullptr;
  }
  const auto it = readings_.find(TrimBlanks(description));
  return it == readings_.end() ? nullptr : &it->second;
}

void SoilReadings::Add(std::u16string_view description, std::u16string_view reading) {
  readings_.insert_or_assign(std::u16string(TrimBlanks(description)),
                             std::u16string(TrimBlanks(reading)));
}

const SoilReadings& SoilReadings::None() {
  static const SoilReadings none;
  return none;
}

}  // namespace qe2m4
