#include "common/text_lines.h"

namespace qe2m4::common {

std::optional<std::u16string_view> TextLines::Next() {
  if (start_ >= text_.size()) {
    return std::nullopt;
  }
  std::size_t end = text_.find(u'\n', start_);
  if (end == std::u16string_view::npos) {
    end = text_.size();
  }
  std::u16string_view line = text_.substr(start_, end - start_);
  start_ = end + 1;
  ++number_;
  if (line.ends_with(u'\r')) {
    line.remove_suffix(1);
  }
  return line;
}

}  // namespace qe2m4::common
