#include "cli/visible_text.h"

#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

TEST(VisibleText, ControlCharactersAreShownInCaretNotationAndEverythingElseIsKept) {
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"\x1b]0;PWNED\x07\x1b[2J", "^[]0;PWNED^G^[[2J"},
      {"a\rb\tc\bd\x7f", "a^Mb^Ic^Hd^?"},
      {std::string("nul\0end", 7), "nul^@end"},
      {"\x1f", "^_"},
      {"two\nlines\n", "two\nlines\n"},
      {platform::ToUtf8(u"粘板岩 S:\\B1 ^[ ~"), platform::ToUtf8(u"粘板岩 S:\\B1 ^[ ~")},
      // C1 controls: U+009B is a one-character escape sequence to some terminals.
      {platform::ToUtf8(u"\u009b2J\u0085\u00a0"), "M-^[2JM-^E" + platform::ToUtf8(u"\u00a0")},
      // Bytes that are not UTF-8: those of the C1 range are shown, others kept.
      {"\x9b"
       "2J\xc2",
       "M-^[2J\xc2"},
      {"\xe7\xb2", "\xe7\xb2"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VisibleText(c.text), c.shown) << c.text;
  }
}

}  // namespace
}  // namespace qe2m4::cli
