#include "common/text_encoding.h"

#include <gtest/gtest.h>

#include "support/temp_machine.h"

namespace qe2m4::common {
namespace {

using namespace std::string_literals;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::string Utf16Be(std::u16string_view text) {
  std::string bytes = "\xFE\xFF";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

TEST(DecodeUserText, DetectsEachEncodingAsUsersSaveThem) {
  const std::u16string japanese = u"S:\\東京\\孔１,D:\\TYUJYOU\\ﾅｶ\r\n";
  const struct {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
    std::u16string text;
  } cases[] = {
      {"UTF-8", "S:\\\xE6\x9D\xB1\xE4\xBA\xAC\r\n", TextEncoding::kUtf8, u"S:\\東京\r\n"},
      {"UTF-8 with BOM", "\xEF\xBB\xBFS:\\\xE6\x9D\xB1\xE4\xBA\xAC", TextEncoding::kUtf8,
       u"S:\\東京"},
      {"CP932", testing::Sjis(japanese), TextEncoding::kCp932, japanese},
      // ﾅｶ in CP932 is C5 B6, which is also valid UTF-8 (U+0176): the Japanese reading wins.
      {"CP932 half-width katakana", "D:\\\xC5\xB6", TextEncoding::kCp932, u"D:\\ﾅｶ"},
      // UTF-8 whose bytes are CP932 as well: symbols and letters of the code page are Japanese
      // text too, so the UTF-8 reading wins (read as CP932 they would give ﾂｰ, ﾎｱ, 繹ｱ).
      {"UTF-8 degree sign",
       "D:\\20\xC2\xB0"
       "C",
       TextEncoding::kUtf8, u"D:\\20°C"},
      {"UTF-8 Greek letter", "D:\\\xCE\xB1", TextEncoding::kUtf8, u"D:\\α"},
      {"UTF-8 enclosed ideograph", "D:\\\xE3\x88\xB1", TextEncoding::kUtf8, u"D:\\㈱"},
      {"Notepad's Unicode", Utf16Le(japanese), TextEncoding::kUtf16, japanese},
      {"UTF-16 big-endian", Utf16Be(japanese), TextEncoding::kUtf16, japanese},
      {"ASCII", "S:\\A,D:\\B\n", TextEncoding::kUtf8, u"S:\\A,D:\\B\n"},
      {"empty", "", TextEncoding::kUtf8, u""},
  };
  for (const auto& c : cases) {
    const DecodedText decoded = DecodeUserText(c.bytes, std::nullopt);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.what;
    EXPECT_EQ(decoded.text, c.text) << c.what;
    EXPECT_EQ(decoded.bad_line, 0) << c.what;
  }
}

TEST(DecodeUserText, CommentLinesDoNotDecide) {
  // A CP932 comment above UTF-8 paths: the paths are read as UTF-8.
  const std::string bytes = testing::Sjis(u"# 東京の現場\r\n") + "S:\\\xE6\x9D\xB1\r\n";
  const DecodedText decoded = DecodeUserText(bytes, std::nullopt, '#');
  EXPECT_EQ(decoded.encoding, TextEncoding::kUtf8);
  EXPECT_EQ(decoded.bad_line, 0);
  EXPECT_NE(decoded.text.find(u"S:\\東\r\n"), std::u16string::npos);
  // Without a comment mark every line decides, and the file is CP932 with a bad line 2.
  EXPECT_EQ(DecodeUserText(bytes, std::nullopt).encoding, TextEncoding::kCp932);
}

TEST(DecodeUserText, NamesTheFirstLineThatIsNotValidText) {
  const struct {
    const char* what;
    std::string bytes;
    std::optional<TextEncoding> forced;
    int bad_line;
  } cases[] = {
      {"a lead byte without its second byte", "A\r\nB\r\nC\x81", std::nullopt, 3},
      {"a byte CP932 keeps but is no text", "A\n\xA0\n", std::nullopt, 2},
      {"forced UTF-8 over CP932", "A\n" + testing::Sjis(u"東京"), TextEncoding::kUtf8, 2},
      {"broken UTF-8 after a BOM",
       "\xEF\xBB\xBF"
       "A\n\xE6\x9D\n",
       std::nullopt, 2},
      {"a lone surrogate in UTF-16",
       "\xFF\xFE"
       "A\0\n\0\x00\xD8"s,
       std::nullopt, 2},
      {"an odd byte at the end of UTF-16",
       "\xFF\xFE"
       "A\0B"s,
       std::nullopt, 1},
      // UTF-16 without its mark, read a byte at a time, is full of NUL bytes: no text.
      {"UTF-16 without a mark", "S\0:\0\r\0\n\0"s, std::nullopt, 1},
      {"a NUL in UTF-16",
       "\xFF\xFE"
       "A\0\n\0\0\0"s,
       std::nullopt, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeUserText(c.bytes, c.forced).bad_line, c.bad_line) << c.what;
  }
}

TEST(DecodeUserText, CommentLinesOfUtf16DoNotDecideEither) {
  // A lone surrogate in a comment line is no fault of the list; in a path it is.
  const std::string comment = Utf16Le(u"# x\r\nS:\\A\r\n");
  std::string bad = comment;
  bad[4] = '\x00';
  bad[5] = '\xD8';  // the blank after "#" becomes a lone high surrogate
  EXPECT_EQ(DecodeUserText(bad, std::nullopt, '#').bad_line, 0);
  EXPECT_EQ(DecodeUserText(bad, std::nullopt).bad_line, 1);
}

TEST(DecodeUserText, AForcedEncodingIsTheOneRead) {
  EXPECT_EQ(DecodeUserText("D:\\\xC5\xB6", TextEncoding::kUtf8).text, u"D:\\Ŷ");
  EXPECT_EQ(DecodeUserText(Utf16Le(u"ア"), TextEncoding::kUtf16).text, u"ア");
  EXPECT_EQ(DecodeUserText(testing::Sjis(u"東"), TextEncoding::kCp932).text, u"東");
}

TEST(EncodingFromName, TakesTheNamesUsersType) {
  EXPECT_EQ(EncodingFromName("UTF-8"), TextEncoding::kUtf8);
  EXPECT_EQ(EncodingFromName("cp932"), TextEncoding::kCp932);
  EXPECT_EQ(EncodingFromName("Shift_JIS"), TextEncoding::kCp932);
  EXPECT_EQ(EncodingFromName("utf-16"), TextEncoding::kUtf16);
  EXPECT_EQ(EncodingFromName("latin1"), std::nullopt);
  EXPECT_EQ(EncodingName(TextEncoding::kUtf16), "UTF-16");
}

}  // namespace
}  // namespace qe2m4::common
