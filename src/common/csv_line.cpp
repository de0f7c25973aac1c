#include "common/csv_line.h"

namespace qe2m4::common {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

}  // namespace

std::optional<std::vector<std::u16string>> SplitCsvLine(std::u16string_view line) {
  std::vector<std::u16string> fields;
  std::size_t i = 0;
  while (true) {
    std::size_t start = i;
    while (start < line.size() && IsBlank(line[start])) {
      ++start;
    }
    std::u16string field;
    if (start < line.size() && line[start] == u'"') {
      i = start + 1;
      while (true) {
        if (i >= line.size()) {
          return std::nullopt;
        }
        if (line[i] == u'"') {
          if (i + 1 < line.size() && line[i + 1] == u'"') {
            field += u'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      while (i < line.size() && IsBlank(line[i])) {
        ++i;
      }
      if (i < line.size() && line[i] != u',') {
        return std::nullopt;
      }
    } else {
      const std::size_t comma = line.find(u',', i);
      const std::size_t end = comma == std::u16string_view::npos ? line.size() : comma;
      field = line.substr(i, end - i);
      i = end;
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) {
      return fields;
    }
    ++i;  // the comma
  }
}

}  // namespace qe2m4::common
