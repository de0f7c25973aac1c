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

bool IsJapanese(char16_t c) {
  return (c >= 0x3000 && c <= 0x30FF) ||  // punctuation, hiragana, katakana
         (c >= 0x4E00 && c <= 0x9FFF) ||  // kanji
         (c >= 0xFF01 && c <= 0xFF9F) ||  // full-width forms, half-width katakana
         (c >= 0x2460 && c <= 0x24FF) ||  // circled numbers (NEC row 13)
         (c >= 0xF900 && c <= 0xFAFF);    // compatibility kanji (IBM extensions)
}

// The share of non-ASCII characters that are Japanese, as a fraction japanese / non_ascii.
struct JapaneseShare {
  std::size_t japanese = 0;
  std::size_t non_ascii = 0;
  bool operator>(const JapaneseShare& other) const {
    // Compares japanese / non_ascii without dividing; no non-ASCII at all counts as 1.
    const std::size_t a = non_ascii == 0 ? 1 : non_ascii;
    const std::size_t b = other.non_ascii == 0 ? 1 : other.non_ascii;
    const std::size_t ja = non_ascii == 0 ? 1 : japanese;
    const std::size_t jb = other.non_ascii == 0 ? 1 : other.japanese;
    return ja * b > jb * a;
  }
};

void Count(std::u16string_view text, JapaneseShare& share) {
  for (const char16_t c : text) {
    if (c >= 0x80) {
      ++share.non_ascii;
      share.japanese += IsJapanese(c) ? 1 : 0;
    }
  }
}

// The first deciding line (from 1) that is not valid in the encoding, or 0.
int FirstBadLine(const std::vector<std::string_view>& lines, TextEncoding encoding,
                 char comment_mark) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!Decides(lines[i], comment_mark)) {
      continue;
    }
    const bool valid = encoding == TextEncoding::kUtf8 ? platform::IsUtf8Text(lines[i])
                                                       : platform::IsCp932Text(lines[i]);
    if (!valid) {
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
  JapaneseShare as_utf8;
  JapaneseShare as_cp932;
  for (const std::string_view line : lines) {
    if (Decides(line, comment_mark)) {
      Count(platform::FromUtf8(line), as_utf8);
      Count(platform::DecodeCp932(line), as_cp932);
    }
  }
  return as_cp932 > as_utf8 ? TextEncoding::kCp932 : TextEncoding::kUtf8;
}

DecodedText DecodeUtf16(std::string_view bytes, bool big_endian) {
  DecodedText decoded{TextEncoding::kUtf16, {}, 0};
  decoded.text.reserve(bytes.size() / 2);
  int line = 1;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    decoded.text += static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
  }
  // An odd byte at the end, or a surrogate without its partner, is not UTF-16 text.
  const std::u16string& text = decoded.text;
  for (std::size_t i = 0; i < text.size() && decoded.bad_line == 0; ++i) {
    const char16_t c = text[i];
    if (c == u'\n') {
      ++line;
    } else if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
      } else {
        decoded.bad_line = line;
      }
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      decoded.bad_line = line;
    }
  }
  if (bytes.size() % 2 != 0 && decoded.bad_line == 0) {
    decoded.bad_line = line;
  }
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
    return DecodeUtf16(le_bom || be_bom ? bytes.substr(2) : bytes, big_endian);
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
