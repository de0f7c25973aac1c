#include "batch/csv_fields.h"

namespace qe2m4::batch {
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

std::u16string CsvField(std::u16string_view text) {
  const bool quote = text.find_first_of(u",\"\r\n") != std::u16string_view::npos ||
                     (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back())));
  if (!quote) {
    return std::u16string(text);
  }
  std::u16string field = u"\"";
  for (const char16_t c : text) {
    if (c == u'"') {
      field += u'"';
    }
    field += c;
  }
  return field + u'"';
}

std::u16string SpreadsheetText(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  const bool formula =
      first != std::u16string_view::npos &&
      std::u16string_view(u"=+-@\t\r\n").find(text[first]) != std::u16string_view::npos;
  return formula ? u"'" + std::u16string(text) : std::u16string(text);
}

}  // namespace qe2m4::batch
