#include "common/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::common {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// The lines of bytes in an ASCII-compatible encoding: a line feed byte is a line feed in UTF-8
// and in CP932 alike (CP932's second bytes are 0x40 and above).
std::vector<std::string_view> ByteLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool Decides(std::string_view line, char comment_mark) {
  if (comment_mark == 0) {
    return true;
  }
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos || line[first] != comment_mark;
}

// Whether a line of bytes is text in the encoding. A NUL byte is no character of a text file (it
// is what UTF-16 without its mark looks like when read a byte at a time).
bool IsText(std::string_view line, TextEncoding encoding) {
  if (line.find('\0') != std::string_view::npos) {
    return false;
  }
  return encoding == TextEncoding::kUtf8 ? platform::IsUtf8Text(line) : platform::IsCp932Text(line);
}

// The first deciding line (from 1) that is not valid in the encoding, or 0.
int FirstBadLine(const std::vector<std::string_view>& lines, TextEncoding encoding,
                 char comment_mark) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Decides(lines[i], comment_mark) && !IsText(lines[i], encoding)) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

TextEncoding Detect(const std::vector<std::string_view>& lines, char comment_mark) {
  const bool utf8 = FirstBadLine(lines, TextEncoding::kUtf8, comment_mark) == 0;
  const bool cp932 = FirstBadLine(lines, TextEncoding::kCp932, comment_mark) == 0;
  if (utf8 != cp932) {
    return utf8 ? TextEncoding::kUtf8 : TextEncoding::kCp932;
  }
  if (!utf8) {
    // Neither reading is valid: CP932 text with a few damaged bytes is far more common in our
    // users' files than damaged UTF-8; the bad line is reported either way.
    return TextEncoding::kCp932;
  }
  // Both readings are valid. The CP932 reading holds only characters of the code page, as a
  // Japanese text does; the UTF-8 reading is the Japanese one too unless it holds a character
  // CP932 cannot write. So CP932 half-width katakana (ﾅｶ, which read as UTF-8 give Ŷ) are read
  // as CP932, while UTF-8 text is read as itself, its kanji, kana and symbols (°, ×, Ⅰ, ㈱, α)
  // included, although their bytes happen to be CP932 as well.
  std::u16string text;
  for (const std::string_view line : lines) {
    if (Decides(line, comment_mark)) {
      text = platform::FromUtf8(line);
      if (!std::all_of(text.begin(), text.end(), platform::HasCp932Form)) {
        return TextEncoding::kCp932;
      }
    }
  }
  return TextEncoding::kUtf8;
}

// The first deciding line of UTF-16 text that is not valid: a surrogate without its partner or a
// NUL character; an odd byte at the end makes the last line invalid.
int FirstBadUtf16Line(std::u16string_view text, bool odd_byte, char comment_mark) {
  int number = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) {
      end = text.size();
    }
    const std::u16string_view line = text.substr(start, end - start);
    ++number;
    const std::size_t first = line.find_first_not_of(u" \t");
    const bool decides = comment_mark == 0 || first == std::u16string_view::npos ||
                         line[first] != static_cast<char16_t>(comment_mark);
    for (std::size_t i = 0; decides && i < line.size(); ++i) {
      const char16_t c = line[i];
      const bool paired = c >= 0xD800 && c <= 0xDBFF && i + 1 < line.size() &&
                          line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF;
      if (paired) {
        ++i;
      } else if (c == u'\0' || (c >= 0xD800 && c <= 0xDFFF)) {
        return number;
      }
    }
    if (end == text.size()) {
      return odd_byte ? number : 0;
    }
    start = end + 1;
  }
  return 0;
}

DecodedText DecodeUtf16(std::string_view bytes, bool big_endian, char comment_mark) {
  DecodedText decoded{TextEncoding::kUtf16, {}, 0};
  decoded.text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    decoded.text += static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
  }
  decoded.bad_line = FirstBadUtf16Line(decoded.text, bytes.size() % 2 != 0, comment_mark);
  return decoded;
}

}  // namespace

std::string_view EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kCp932:
      return "CP932";
    case TextEncoding::kUtf16:
      return "UTF-16";
  }
  return "UTF-8";
}

std::optional<TextEncoding> EncodingFromName(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "utf-8" || lower == "utf8") {
    return TextEncoding::kUtf8;
  }
  if (lower == "cp932" || lower == "shift_jis" || lower == "sjis") {
    return TextEncoding::kCp932;
  }
  if (lower == "utf-16" || lower == "utf16") {
    return TextEncoding::kUtf16;
  }
  return std::nullopt;
}

DecodedText DecodeUserText(std::string_view bytes, std::optional<TextEncoding> forced,
                           char comment_mark) {
  const bool le_bom = bytes.starts_with(kUtf16LeBom);
  const bool be_bom = bytes.starts_with(kUtf16BeBom);
  if ((forced == TextEncoding::kUtf16) || (!forced && (le_bom || be_bom))) {
    // Without a mark, UTF-16 is read as Windows writes it: little-endian.
    const bool big_endian = be_bom;
    return DecodeUtf16(le_bom || be_bom ? bytes.substr(2) : bytes, big_endian, comment_mark);
  }
  const bool utf8_bom = bytes.starts_with(kUtf8Bom);
  if (utf8_bom && (!forced || forced == TextEncoding::kUtf8)) {
    bytes.remove_prefix(kUtf8Bom.size());
    forced = TextEncoding::kUtf8;
  }
  const std::vector<std::string_view> lines = ByteLines(bytes);
  DecodedText decoded;
  decoded.encoding = forced ? *forced : Detect(lines, comment_mark);
  decoded.bad_line = FirstBadLine(lines, decoded.encoding, comment_mark);
  decoded.text = decoded.encoding == TextEncoding::kUtf8 ? platform::FromUtf8(bytes)
                                                         : platform::DecodeCp932(bytes);
  return decoded;
}

}  // namespace qe2m4::common
