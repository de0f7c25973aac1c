#include "cli/visible_text.h"

namespace qe2m4::cli {
namespace {

bool IsContinuation(unsigned char byte) {
  return byte >= 0x80 && byte <= 0xBF;
}

// The length of the UTF-8 character that starts at text[at], or 0 when no character starts there.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || at + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) {
      return 0;
    }
  }
  return length;
}

// "^" and the letter the control is typed with (Ctrl-[ is ESC).
void AppendCaret(std::string& out, unsigned control) {
  out += '^';
  out += static_cast<char>(control + 0x40);
}

}  // namespace

std::string VisibleText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      if (byte == 0x7F) {
        out += "^?";
      } else if (byte < 0x20 && byte != '\n') {
        AppendCaret(out, byte);
      } else {
        out += static_cast<char>(byte);
      }
      ++i;
      continue;
    }
    const std::size_t length = CharacterLength(text, i);
    // U+0080 to U+009F are C2 80 to C2 9F; a lone byte of that range is a C1 control to a
    // terminal that does not read UTF-8.
    const unsigned c1 = length == 2 && byte == 0xC2 ? static_cast<unsigned char>(text[i + 1])
                        : length == 0               ? byte
                                                    : 0;
    if (c1 >= 0x80 && c1 <= 0x9F) {
      out += "M-";
      AppendCaret(out, c1 - 0x80);
    } else {
      out.append(text.substr(i, length == 0 ? 1 : length));
    }
    i += length == 0 ? 1 : length;
  }
  return out;
}

}  // namespace qe2m4::cli
