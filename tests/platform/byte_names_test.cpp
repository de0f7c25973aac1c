// Host names stored as bytes, read as text and written back: UTF-8, CP932 from Windows archives,
// and bytes that are neither, kept exactly.
#include "platform/byte_names.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "platform/names.h"
#include "platform/utf8.h"

namespace qe2m4::platform {
namespace {

struct NameCase {
  const char* what;
  std::string bytes;
  std::u16string text;
  bool same_bytes_back;  // whether the text is written back as the very same bytes
};

TEST(ByteNames, ReadsUtf8ThenCp932ThenKeepsTheOtherBytes) {
  const NameCase cases[] = {
      {"ASCII", "BORING1", u"BORING1", true},
      {"UTF-8", "\xE6\x9D\xB1\xE4\xBA\xAC", u"東京", true},
      {"CP932", "\x93\x8C\x8B\x9E", u"東京", false},
      {"CP932 with the trail byte 0x5C", "\x95\x5C", u"表", false},
      {"CP932 with the trail byte 0x5C, in a longer name", "A\x83\x5C\x83\x74\x83\x67", u"Aソフト",
       false},
      {"half-width katakana", "\xB6\xC5", u"ｶﾅ", false},
      {"a lone byte that is neither", "\xFF", u"\xDCFF", true},
      {"a lead byte at the end", "AB\x81", u"AB\xDC81", true},
      {"UTF-8 with a stray byte", "\xE6\x9D\xB1\xFF", u"東\xDCFF", true},
      {"a UTF-8 surrogate", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80", true},
      {"escaped bytes with a backslash", "\xFF\\..", u"\xDCFF\\..", true},
  };
  for (const NameCase& c : cases) {
    const std::u16string text = DecodeByteName(c.bytes);
    EXPECT_EQ(text, c.text) << c.what;
    EXPECT_EQ(EncodeByteName(text) == c.bytes, c.same_bytes_back) << c.what;
  }
}

// A CP932 name's 0x5C is part of its character: no "\" appears, so the name is one level.
TEST(ByteNames, ACp932TrailByteIsNoSeparator) {
  for (const std::string bytes : {"\x95\x5C", "\x83\x5C", "\x94\x5C", "\x8F\x5C", "\x97\x5C"}) {
    const std::u16string text = DecodeByteName(bytes);
    EXPECT_EQ(text.find(u'\\'), std::u16string::npos);
    EXPECT_FALSE(LevelNameProblem(text));
  }
}

TEST(ByteNames, EveryPairOfBytesIsReadAsCp932OrSurvivesAReadAndAWrite) {
  for (int first = 0x80; first <= 0xFF; ++first) {
    for (int second = 0; second <= 0xFF; ++second) {
      const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
      const std::u16string text = DecodeByteName(bytes);
      if (!IsUtf8Text(bytes) && IsCp932Text(bytes)) {
        EXPECT_EQ(text, DecodeCp932(bytes)) << first << " " << second;
      } else {
        EXPECT_EQ(EncodeByteName(text), bytes) << first << " " << second;
      }
    }
  }
}

TEST(ByteNames, WritesEscapesAsTheirBytesAndOtherLoneSurrogatesAsReplacements) {
  EXPECT_EQ(EncodeByteName(u"a\xDC80z"), "a\x80z");
  EXPECT_EQ(EncodeByteName(u"\xDC7F"), "\xEF\xBF\xBD");
  EXPECT_EQ(EncodeByteName(u"\xD800"), "\xEF\xBF\xBD");
  EXPECT_EQ(EncodeByteName(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace qe2m4::platform
