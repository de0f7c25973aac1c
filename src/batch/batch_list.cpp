#include "batch/batch_list.h"

#include <optional>
#include <string>

#include "batch/csv_fields.h"
#include "batch/list_text.h"

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

BatchList ReadBatchList(std::string_view bytes) {
  const ListEncoding encoding = DetectListEncoding(bytes);
  bytes = WithoutBom(bytes);
  BatchList list;
  int number = 0;
  // Line by line, so that a long list is never held twice. A line feed byte is a line feed in
  // both encodings (CP932's second bytes are 0x40 and above).
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    const std::u16string text = DecodeListLine(bytes.substr(start, end - start), encoding);
    std::u16string_view line = text;
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == u'\r') {
      line.remove_suffix(1);
    }
    const std::size_t first = line.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos || line[first] == u'#') {
      continue;
    }
    const std::optional<std::vector<std::u16string>> fields = SplitCsvLine(line);
    if (!fields) {
      list.problems.push_back({{number}, "a quote is not closed where it should be"});
    } else if (fields->size() != 2 || OnlyBlanks((*fields)[0]) || OnlyBlanks((*fields)[1])) {
      list.problems.push_back({{number}, "not two paths SOURCE,DEST"});
    } else {
      list.entries.push_back({number, (*fields)[0], (*fields)[1]});
    }
  }
  return list;
}

}  // namespace qe2m4::batch
