#include "batch/csv_fields.h"

namespace qe2m4::batch {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

}  // namespace

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
