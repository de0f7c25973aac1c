#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace qe2m4::common {

// Walks a decoded text line by line, each without its "\n" or "\r\n". A text that ends in a line
// end has no empty line after it; an empty text has no line.
class TextLines {
 public:
  explicit TextLines(std::u16string_view text) : text_(text) {}

  // The next line; nullopt after the last.
  std::optional<std::u16string_view> Next();
  // The number (from 1) of the line Next returned last.
  int number() const { return number_; }

 private:
  std::u16string_view text_;
  std::size_t start_ = 0;
  int number_ = 0;
};

}  // namespace qe2m4::common
