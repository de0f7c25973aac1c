#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace qe2m4 {

// The user's table of soil readings: for a layer description as it stands in X1.TXT, the
// description to classify instead (粘性土 -> 粘土, 花崗岩 -> 硬岩). A description matches an entry
// when both are equal once the blanks (U+0020) at either end are taken off; nothing partial.
class SoilReadings {
 public:
  // The reading of description, or nullptr when the table has none.
  const std::u16string* Find(std::u16string_view description) const;
  // Enters a reading; the caller has made sure description has no other reading. Both texts
  // are kept without their blanks at either end.
  void Add(std::u16string_view description, std::u16string_view reading);

  bool empty() const { return readings_.empty(); }
  std::size_t size() const { return readings_.size(); }
  // Every description with its reading, in the order of the descriptions.
  const std::map<std::u16string, std::u16string, std::less<>>& entries() const { return readings_; }

  // A table without any reading, for runs that use none.
  static const SoilReadings& None();

 private:
  std::map<std::u16string, std::u16string, std::less<>> readings_;
};

}  // namespace qe2m4
