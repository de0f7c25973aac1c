#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace qe2m4::platform {
namespace {

TEST(Cp932, WidthsOfCharacterClasses) {
  struct Case {
    char16_t c;
    int width;
  } const cases[] = {
      {u'A', 1},      {u'\\', 1}, {u'ｱ', 1},   // half-width katakana
      {u'ﾟ', 1},      {u'ア', 2}, {u'砂', 2},  // full-width
      {u'　', 2},     {u'Ａ', 2}, {u'￥', 2},
      {u'\u00E9', 1},  // é has no CP932 form: written as "?"
      {u'\u20AC', 1},  // € likewise
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp932Width(c.c), c.width) << static_cast<int>(c.c);
  }
  EXPECT_EQ(Cp932Length(u"ｱｲ"), 2u);
  EXPECT_EQ(Cp932Length(u"アイ"), 4u);
  EXPECT_EQ(Cp932Length(u""), 0u);
}

TEST(Cp932, TellsTheCharactersOfTheCodePage) {
  for (const char16_t c : {u'A', u'ｱ', u'ア', u'砂', u'°', u'×', u'α', u'Ⅰ', u'㈱', u'纊'}) {
    EXPECT_TRUE(HasCp932Form(c)) << static_cast<int>(c);
  }
  // é, Ŷ and € have none; U+0080 and U+F8F0 only stand for bytes that are kept; a lone
  // surrogate is no character.
  for (const char16_t c :
       {u'\u00E9', u'\u0176', u'\u20AC', u'\u0080', u'\uF8F0', char16_t{0xD800}}) {
    EXPECT_FALSE(HasCp932Form(c)) << static_cast<int>(c);
  }
}

TEST(Cp932, WritesWindowsForms) {
  struct Case {
    std::u16string_view text;
    std::string_view bytes;
  } const cases[] = {
      {u"A1,", "A1,"},
      {u"砂", "\x8D\xBB"},
      {u"ソ", "\x83\x5C"},  // trail byte 0x5C
      {u"ｱ", "\xB1"},
      // Characters held twice or three times: Windows's preferred form.
      {u"髙", "\xFB\xFC"},      // IBM extension, not NEC-selected EE E0
      {u"﨑", "\xFA\xB1"},      // IBM extension, not NEC-selected ED 95
      {u"纊", "\xFA\x5C"},      // IBM extension, not NEC-selected ED 40
      {u"∵", "\x81\xE6"},       // JIS X 0208, not NEC row 13 87 9A nor IBM FA 5B
      {u"￢", "\x81\xCA"},      // JIS X 0208, not NEC-selected EE F9 nor IBM FA 54
      {u"\u2160", "\x87\x54"},  // Roman numeral one: NEC row 13, not IBM FA 4A
      {u"\u2170", "\xFA\x40"},  // small Roman numeral one: IBM, not NEC-selected EE EF
      // The bytes Windows gives single-byte characters of their own.
      {u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", "\x80\xA0\xFD\xFE\xFF"},
      // No CP932 form, and no look-alike written in its place.
      {u"a\u00E9b", "a?b"},
      {u"\u00A5\u203E", "??"},         // not 0x5C, 0x7E
      {u"\u301C\u2212\u2014", "???"},  // not 81 60, 81 7C, 81 5C
      {u"\u00A2\u00A3\u00AC", "???"},  // not 81 91, 81 92, 81 CA
      {u"\U0001F600", "??"},           // each half of a surrogate pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeCp932(c.text), c.bytes) << std::string(c.bytes);
  }
}

TEST(Cp932, ReadsAsWindows) {
  using namespace std::string_view_literals;
  struct Case {
    std::string_view bytes;
    std::u16string_view text;
  } const cases[] = {
      {"\x8D\xBB\x83\x5C", u"砂ソ"},
      {"\xB1", u"ｱ"},
      {"\xED\x40\xFA\x5C", u"纊纊"},  // both forms of one character
      {"\x80\xA0\xFD\xFE\xFF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
      // A lead byte takes the next byte, and a pair that is no character reads as "・".
      {"\x81 x", u"・x"},
      {"\x85\x40x", u"・x"},     // unassigned pair
      {"\x81\xFF\x41", u"・A"},  // a trail beyond the range
      {"\x85\x85\x40", u"・@"},  // a lead byte as the trail
      // A lead byte alone: at the end, or before a NUL, which is read on its own.
      {"a\x8D", u"a・"},
      {"\x8D\0a"sv, u"・\0a"sv},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeCp932(c.bytes), c.text) << std::string(c.bytes);
  }
}

TEST(Cp932, EveryByteSurvivesAReadAndAWrite) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if ((b < 0x81 || b > 0x9F) && (b < 0xE0 || b > 0xFC)) {
      all += static_cast<char>(b);
    }
  }
  EXPECT_EQ(EncodeCp932(DecodeCp932(all)), all);
}

TEST(Cp932, RoundTripsJapaneseText) {
  const std::u16string text = u"礫混じり砂質シルト、ﾎﾞｰﾘﾝｸﾞ　Ｎ値１０";
  EXPECT_EQ(DecodeCp932(EncodeCp932(text)), text);
}

// Runs of ASCII are read eight bytes at a time: a character of other bytes at every place
// around those eight-byte steps, and a lead byte whose second byte is ASCII, read as alone.
TEST(Cp932, ReadsOtherBytesAtEveryPlaceInAsciiRuns) {
  using namespace std::string_view_literals;
  struct Case {
    std::string_view bytes;
    std::u16string_view text;
  } const cases[] = {
      {"\x8D\xBB", u"砂"},
      {"\x81 ", u"・"},  // the ASCII blank is taken as the pair's second byte
      {"\xB1", u"ｱ"},
      {"\x80", u"\u0080"},
      {"\x8D\0"sv, u"・\0"sv},  // a NUL ends the pair and reads on its own
  };
  const std::string ascii = "0123456789,.ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (const Case& c : cases) {
    for (std::size_t before = 0; before <= 17; ++before) {
      for (std::size_t after = 0; after <= 17; ++after) {
        const std::string bytes =
            ascii.substr(0, before) + std::string(c.bytes) + ascii.substr(0, after);
        std::u16string expected(ascii.begin(), ascii.begin() + static_cast<long>(before));
        expected += c.text;
        expected.append(ascii.begin(), ascii.begin() + static_cast<long>(after));
        EXPECT_EQ(DecodeCp932(bytes), expected) << before << " " << after;
      }
    }
  }
  for (std::size_t before = 0; before <= 17; ++before) {
    // A lead byte at the very end reads as the default character alone.
    const std::string bytes = ascii.substr(0, before) + "\x8D";
    std::u16string expected(ascii.begin(), ascii.begin() + static_cast<long>(before));
    EXPECT_EQ(DecodeCp932(bytes), expected + u"・") << before;
  }
}

// The buffer forms: encoding appends behind what the buffer holds, decoding replaces it, even a
// longer earlier text, and both give what the returning forms give.
TEST(Cp932, BufferFormsAppendAndReplace) {
  const std::u16string texts[] = {u"礫混じり砂質シルト、ﾎﾞｰﾘﾝｸﾞ", u"", u"1.25", u"\uFFFF\u00E9?x"};
  std::string bytes = "kept";
  std::string expected_bytes = "kept";
  std::u16string text = u"an earlier, longer text than any of these";
  for (const std::u16string& t : texts) {
    AppendCp932(t, bytes);
    expected_bytes += EncodeCp932(t);
    EXPECT_EQ(bytes, expected_bytes);
    DecodeCp932(EncodeCp932(t), text);
    EXPECT_EQ(text, DecodeCp932(EncodeCp932(t)));
  }
  DecodeCp932("\x8D\xBB\x81", text);  // a lead byte at the end reads as the default character
  EXPECT_EQ(text, u"砂\u30FB");
}

}  // namespace
}  // namespace qe2m4::platform
