#include "batch/batch_list.h"

#include <optional>
#include <string>

#include "batch/csv_fields.h"
#include "catalogue/catalogue.h"
#include "common/text_encoding.h"
#include "common/text_lines.h"
#include "platform/interrupted.h"

namespace qe2m4::batch {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

bool OnlyBlanks(std::u16string_view text) {
  for (const char16_t c : text) {
    if (!IsBlank(c)) {
      return false;
    }
  }
  return true;
}

}  // namespace

BatchList ReadBatchList(std::string_view bytes, std::optional<common::TextEncoding> forced,
                        const std::function<bool()>& stop_requested) {
  const common::DecodedText decoded = common::DecodeUserText(bytes, forced, '#');
  BatchList list;
  list.encoding = decoded.encoding;
  if (decoded.bad_line != 0) {
    list.problems.push_back({{decoded.bad_line},
                             catalogue::Format(catalogue::TextId::kCliListBadText,
                                               {common::EncodingName(decoded.encoding)})});
  }
  common::TextLines lines(decoded.text);
  while (const std::optional<std::u16string_view> next = lines.Next()) {
    const std::u16string_view line = *next;
    const int number = lines.number();
    if (stop_requested && stop_requested()) {
      throw platform::Interrupted();
    }
    const std::size_t first = line.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos || line[first] == u'#') {
      continue;
    }
    if (line.size() > kMaxListLineLength) {
      list.problems.push_back({{number},
                               catalogue::Format(catalogue::TextId::kCliListLongLine,
                                                 {std::to_string(kMaxListLineLength)})});
      continue;
    }
    const std::optional<std::vector<std::u16string>> fields = SplitCsvLine(line);
    if (!fields) {
      list.problems.push_back(
          {{number}, std::string(catalogue::Text(catalogue::TextId::kCliListBadQuote))});
    } else if (fields->size() != 2 || OnlyBlanks((*fields)[0]) || OnlyBlanks((*fields)[1])) {
      list.problems.push_back(
          {{number}, std::string(catalogue::Text(catalogue::TextId::kCliListNotTwoPaths))});
    } else {
      list.entries.push_back({number, (*fields)[0], (*fields)[1]});
    }
  }
  return list;
}

}  // namespace qe2m4::batch
