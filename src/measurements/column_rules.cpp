#include "measurements/column_rules.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/cp932.h"
#include "platform/vendor.h"

namespace qe2m4 {

std::u16string AlignRight(std::u16string_view text, int n) {
  if (n <= 0) {
    return {};
  }
  const auto size = static_cast<std::size_t>(n);
  if (text.size() >= size) {
    return std::u16string(text.substr(text.size() - size));
  }
  return std::u16string(size - text.size(), u' ') + std::u16string(text);
}

std::u16string AlignLeft(std::u16string_view text, int n) {
  if (n <= 0) {
    return {};
  }
  const auto size = static_cast<std::size_t>(n);
  if (text.size() >= size) {
    return std::u16string(text.substr(0, size));
  }
  return std::u16string(text) + std::u16string(size - text.size(), u' ');
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string RecordNumberColumn(std::int64_t counter) {
  char digits[24];
  const char* const end = std::to_chars(digits, digits + sizeof digits, counter).ptr;
  const char* const first = end - std::min<std::ptrdiff_t>(end - digits, 3);
  std::u16string column(3 - static_cast<std::size_t>(end - first), u' ');
  column.append(first, end);
  return column;
}

std::vector<std::u16string> SplitFixedWidth(std::u16string_view text, int width) {
  const std::u16string trimmed = platform::QPTrim(text);
  std::vector<std::u16string> lines(1);
  std::vector<int> used(1, 0);
  for (const char16_t c : trimmed) {
    const int w = platform::Cp932Width(c);
    if (used.back() + w > width) {
      lines.emplace_back();
      used.push_back(0);
    }
    lines.back() += c;
    used.back() += w;
  }
  for (std::size_t j = 0; j < lines.size(); ++j) {
    if (used[j] < width) {
      lines[j].append(static_cast<std::size_t>(width - used[j]), u' ');
    }
  }
  return lines;
}

SeparatorSplit SplitAtSeparator(std::u16string_view text, std::u16string_view separator) {
  SeparatorSplit split;
  const std::size_t found = text.find(separator);
  if (found == std::u16string_view::npos) {
    return split;
  }
  split.position = static_cast<int>(found) + 1;
  split.before = std::u16string(text.substr(0, found));
  split.after = std::u16string(text.substr(found + separator.size()));
  return split;
}

}  // namespace qe2m4
