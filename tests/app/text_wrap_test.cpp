#include "app/text_wrap.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/gui_help.h"
#include "platform/utf8.h"

namespace qe2m4::app {
namespace {

std::vector<std::u16string> Lines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find(u'\n'); end != std::u16string_view::npos;
       start = end + 1, end = text.find(u'\n', start)) {
    lines.emplace_back(text.substr(start, end - start));
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

TEST(TextWrap, BreaksAtBlanksOutsideBracketsAndBetweenFullWidthCharacters) {
  struct Case {
    std::u16string_view text;
    int columns;
    int first_indent;
    int rest_indent;
    std::u16string_view wrapped;
  };
  const Case cases[] = {
      {u"usage: qe2m4-gui [--drive L=DIR]... [--system-dir DIR] [FOLDER]", 40, 0, 4,
       u"usage: qe2m4-gui [--drive L=DIR]...\n    [--system-dir DIR] [FOLDER]"},
      // A group wider than a line stands alone rather than being cut.
      {u"a [--a-very-long-option VALUE]", 10, 0, 0, u"a\n[--a-very-long-option VALUE]"},
      {u"one two three", 7, 2, 2, u"  one\n  two\n  three"},
      // Between full-width characters, but never before 、。） nor after （.
      {u"変換元フォルダ（ドライブ）、変換先。", 10, 0, 0,
       u"変換元フォ\nルダ（ドラ\nイブ）、変\n換先。"},
      {u"変換元（ドライブ）", 6, 0, 0, u"変換元\n（ドラ\nイブ）"},
      // An ASCII word inside Japanese text stays whole; the text may break on either side of it.
      {u"設定Patdat32.iniの場所", 12, 0, 0, u"設定\nPatdat32.ini\nの場所"},
      {u"画像をFILE（PNG）に保存", 14, 0, 0, u"画像をFILE\n（PNG）に保存"},
      {u"", 10, 0, 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::ToUtf8(c.text));
    EXPECT_EQ(WrapParagraph(c.text, c.columns, c.first_indent, c.rest_indent), c.wrapped);
  }
}

TEST(TextWrap, FullWidthCharactersTakeTwoColumns) {
  EXPECT_EQ(TextColumns(u"ab"), 2);
  EXPECT_EQ(TextColumns(u"変換"), 4);
  EXPECT_EQ(TextColumns(u"ﾌｫﾙﾀﾞ"), 5);  // half-width katakana
}

// The help of both windows: every line within the width, no option cut at its hyphens or
// between its name and its value, and the Windows window's without Linux's terms.
TEST(GuiHelpText, FitsTheBoxAndKeepsOptionsWhole) {
  for (const WindowProgram program : {WindowProgram::kLinux, WindowProgram::kWindows}) {
    const std::u16string help = GuiHelp(program);
    SCOPED_TRACE(platform::ToUtf8(help));
    for (const std::u16string& line : Lines(help)) {
      EXPECT_LE(TextColumns(line), kGuiHelpColumns) << platform::ToUtf8(line);
      EXPECT_FALSE(line.ends_with(u"[--") || line.ends_with(u"[")) << platform::ToUtf8(line);
      EXPECT_FALSE(line.starts_with(u"system-dir")) << platform::ToUtf8(line);
    }
    for (const std::u16string_view group : {u"[--drive L=DIR]...", u"[--system-dir DIR]"}) {
      EXPECT_NE(help.find(group), std::u16string::npos) << platform::ToUtf8(group);
    }
    const bool windows = program == WindowProgram::kWindows;
    EXPECT_EQ(help.find(u"--screenshot") != std::u16string::npos, !windows);
    if (windows) {
      EXPECT_EQ(help.find(u"host"), std::u16string::npos);
      EXPECT_NE(help.find(u"qe2m4-gui.exe"), std::u16string::npos);
    }
  }
}

}  // namespace
}  // namespace qe2m4::app
