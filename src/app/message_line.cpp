#include "app/message_line.h"

namespace qe2m4::app {

std::u16string MessageLine(std::u16string_view text, const std::optional<std::u16string>& title) {
  std::u16string line;
  if (title) {
    line = *title + u": ";
  }
  for (const char16_t c : text) {
    if (c == u'\r') {
      continue;
    }
    line += c == u'\n' ? u' ' : c;
  }
  return line;
}

}  // namespace qe2m4::app
