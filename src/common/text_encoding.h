#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qe2m4::common {

// The encodings of the files a user writes by hand or saves from a spreadsheet or Notepad:
// batch lists and the table of soil readings.
enum class TextEncoding { kUtf8, kCp932, kUtf16 };

// "UTF-8", "CP932", "UTF-16": the name the program reports.
std::string_view EncodingName(TextEncoding encoding);
// The encoding a user names: "utf-8", "cp932", "utf-16" (any letter case; "utf8", "utf16",
// "shift_jis" and "sjis" too); nullopt for any other name.
std::optional<TextEncoding> EncodingFromName(std::string_view name);

struct DecodedText {
  TextEncoding encoding = TextEncoding::kUtf8;
  // The text without its byte-order mark; line ends as they were.
  std::u16string text;
  // The number (from 1) of the first deciding line that is not valid in the encoding; 0 when
  // every one is. Such a line is decoded as well as it can be, but the file is not to be trusted.
  int bad_line = 0;
};

// Decodes a user's text file. A byte-order mark decides: UTF-16 (either byte order) or UTF-8.
// Otherwise the lines that decide (those whose first character other than a blank or tab is not
// comment_mark; every line when comment_mark is 0) are read as UTF-8 when they are valid UTF-8
// and as CP932 when they are valid CP932; when both readings are valid, UTF-8 wins unless its
// reading holds a character that CP932 cannot write (so CP932 half-width katakana are not taken
// for Latin letters). A NUL is no valid character in any of them. `forced` skips the detection
// (UTF-16 without a mark is then read little-endian, as Windows writes it).
DecodedText DecodeUserText(std::string_view bytes, std::optional<TextEncoding> forced,
                           char comment_mark = 0);

}  // namespace qe2m4::common
