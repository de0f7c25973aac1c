// Feeds arbitrary bytes to the decoding of a user's text file (the first byte picks the
// encoding the caller forces, if any, and the comment mark) and checks the decoding's promises:
// the encoding chosen follows the rules, the first bad line is named exactly when the deciding
// lines are not valid text, and valid text written back in its encoding gives back its bytes.
// CP932 has a few characters with two byte forms (NEC row 13, the IBM extensions and NEC's
// copies of them): those come back in the form Windows prefers, and nothing else changes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/text_encoding.h"
#include "fuzz_check.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace {

using qe2m4::common::TextEncoding;
using qe2m4::fuzz::Require;

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// How far down Windows's order of preference a two-byte form stands: JIS X 0208 first, then
// NEC row 13, then the IBM extensions, then NEC's copies of the IBM extensions.
int PreferenceRank(unsigned char lead) {
  if (lead == 0x87) {
    return 1;
  }
  if (lead >= 0xFA && lead <= 0xFC) {
    return 2;
  }
  if (lead == 0xED || lead == 0xEE) {
    return 3;
  }
  return 0;
}

// Valid CP932 bytes against the encoding of their decoded text, character by character.
void RequireCp932RoundTrip(std::string_view bytes, std::u16string_view text) {
  const std::string written = qe2m4::platform::EncodeCp932(text);
  Require(written.size() == bytes.size(), "valid CP932 text is written back as long as it was");
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    const std::string_view original = bytes.substr(i, width);
    const std::string_view again = std::string_view(written).substr(i, width);
    if (original != again) {
      Require(width == 2 && PreferenceRank(static_cast<unsigned char>(again[0])) <
                                PreferenceRank(static_cast<unsigned char>(original[0])),
              "a CP932 character changes its bytes only for a form Windows prefers");
      Require(qe2m4::platform::DecodeCp932(again) == qe2m4::platform::DecodeCp932(original),
              "a CP932 character's preferred form is the same character");
    }
    i += width;
  }
}

std::string Utf16Bytes(std::u16string_view text, bool big_endian) {
  std::string bytes;
  for (const char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

// Whether UTF-16 text is valid where it decides: a line that is no comment holds no NUL
// character and no surrogate without its partner; the bytes are whole code units.
bool IsUtf16Text(std::u16string_view text, std::size_t byte_count, char comment_mark) {
  bool decides = true;
  bool line_start = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\n') {
      decides = true;
      line_start = true;
      continue;
    }
    if (line_start && c != u' ' && c != u'\t') {
      line_start = false;
      decides = comment_mark == 0 || c != static_cast<char16_t>(comment_mark);
    }
    if (!decides) {
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c == u'\0' || (c >= 0xD800 && c <= 0xDFFF)) {
      return false;
    }
  }
  return byte_count % 2 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  constexpr std::optional<TextEncoding> kForced[] = {std::nullopt, TextEncoding::kUtf8,
                                                     TextEncoding::kCp932, TextEncoding::kUtf16};
  const std::optional<TextEncoding> forced = kForced[data[0] % 4];
  const char comment_mark = (data[0] / 4) % 2 == 0 ? '\0' : '#';
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const qe2m4::common::DecodedText decoded =
      qe2m4::common::DecodeUserText(bytes, forced, comment_mark);

  std::size_t lines = 1;
  for (const char c : bytes) {
    lines += c == '\n' ? 1 : 0;
  }
  Require(decoded.bad_line >= 0 && static_cast<std::size_t>(decoded.bad_line) <= lines,
          "the bad line is a line of the file");
  if (forced) {
    Require(decoded.encoding == *forced, "a forced encoding is the one used");
  }

  const bool le_mark = bytes.starts_with("\xFF\xFE");
  const bool be_mark = bytes.starts_with("\xFE\xFF");
  if (decoded.encoding == TextEncoding::kUtf16) {
    Require(forced == TextEncoding::kUtf16 || le_mark || be_mark, "UTF-16 only by its mark");
    const std::string_view content = le_mark || be_mark ? bytes.substr(2) : bytes;
    const bool valid = IsUtf16Text(decoded.text, content.size(), comment_mark);
    Require(valid == (decoded.bad_line == 0), "UTF-16 has a bad line exactly when it is not valid");
    if (valid) {
      Require(Utf16Bytes(decoded.text, be_mark) == content, "valid UTF-16 gives back its bytes");
    }
    return 0;
  }
  Require((!le_mark && !be_mark) || forced.has_value(), "a UTF-16 mark decides unless forced");

  std::string_view content = bytes;
  if (bytes.starts_with("\xEF\xBB\xBF") && forced != TextEncoding::kCp932) {
    Require(decoded.encoding == TextEncoding::kUtf8, "a UTF-8 mark decides unless forced");
    content.remove_prefix(3);
  }
  // A NUL byte is no character of a text file in either encoding.
  const bool no_nul = content.find('\0') == std::string_view::npos;
  const bool utf8 = no_nul && qe2m4::platform::IsUtf8Text(content);
  const bool cp932 = no_nul && qe2m4::platform::IsCp932Text(content);
  if (!forced && comment_mark == '\0' && content.size() == bytes.size()) {
    Require(utf8 || decoded.encoding == TextEncoding::kCp932,
            "text that is not UTF-8 is read as CP932");
    Require(cp932 || !utf8 || decoded.encoding == TextEncoding::kUtf8,
            "UTF-8 text that is not CP932 is read as UTF-8");
  }
  const bool valid = decoded.encoding == TextEncoding::kUtf8 ? utf8 : cp932;
  if (comment_mark == '\0') {
    Require(valid == (decoded.bad_line == 0), "a bad line is named exactly when the text is bad");
  }
  if (!valid) {
    return 0;
  }
  Require(decoded.bad_line == 0, "valid text has no bad line");
  if (decoded.encoding == TextEncoding::kUtf8) {
    Require(qe2m4::platform::ToUtf8(decoded.text) == content, "valid UTF-8 gives back its bytes");
  } else {
    RequireCp932RoundTrip(content, decoded.text);
  }
  return 0;
}
