#include "common/column_rules.h"

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
  std::u16string column;
  column.reserve(size);
  column.append(size - text.size(), u' ');
  column.append(text);
  return column;
}

std::u16string AlignLeft(std::u16string_view text, int n) {
  if (n <= 0) {
    return {};
  }
  const auto size = static_cast<std::size_t>(n);
  if (text.size() >= size) {
    return std::u16string(text.substr(0, size));
  }
  std::u16string column;
  column.reserve(size);
  column.append(text);
  column.append(size - text.size(), u' ');
  return column;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string RecordNumberColumn(std::int64_t counter) {
  std::u16string column;
  AppendRecordNumberColumn(counter, column);
  return column;
}

void AppendRecordNumberColumn(std::int64_t counter, std::u16string& line) {
  char digits[24];
  const char* const end = std::to_chars(digits, digits + sizeof digits, counter).ptr;
  const char* const first = end - std::min<std::ptrdiff_t>(end - digits, 3);
  line.append(3 - static_cast<std::size_t>(end - first), u' ');
  for (const char* digit = first; digit != end; ++digit) {
    line.push_back(static_cast<char16_t>(*digit));
  }
}

std::vector<std::u16string> SplitFixedWidth(std::u16string_view text, int width) {
  std::vector<std::u16string> lines;
  SplitFixedWidth(text, width, lines);
  return lines;
}

void SplitFixedWidth(std::u16string_view text, int width, std::vector<std::u16string>& lines) {
  const std::u16string trimmed = platform::QPTrim(text);
  std::size_t count = 0;
  int used = 0;  // CP932 bytes of the line being filled
  const auto start_line = [&lines, &count, &used] {
    if (count == lines.size()) {
      lines.emplace_back();
    }
    lines[count++].clear();  // a line kept from an earlier text keeps its room
    used = 0;
  };
  const auto complete_line = [&lines, &count, &used, width] {
    if (used < width) {
      lines[count - 1].append(static_cast<std::size_t>(width - used), u' ');
    }
  };
  start_line();
  for (const char16_t c : trimmed) {
    const int w = platform::Cp932Width(c);
    if (used + w > width) {
      complete_line();
      start_line();
    }
    lines[count - 1] += c;
    used += w;
  }
  complete_line();
  lines.resize(count);
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
