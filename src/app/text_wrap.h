#pragma once

#include <string>
#include <string_view>

namespace qe2m4::app {

// The columns a text takes as a console or a message box lays it out: a half-width character
// one, a full-width one (kanji, kana, full-width forms) two.
int TextColumns(std::u16string_view text);

// One paragraph broken into lines of at most columns columns, each line but the first indented
// by rest_indent blanks and the first by first_indent. Lines break at a blank (the blank goes)
// outside square brackets, so that "[--system-dir DIR]" stays whole, or next to a full-width
// character (as Japanese text breaks), never before a closing mark (、。）」) nor after an
// opening one (（「); never inside a word or an option. A word wider than a line stands alone on
// its line. Lines are separated by "\n"; the text holds no line end.
std::u16string WrapParagraph(std::u16string_view text, int columns, int first_indent = 0,
                             int rest_indent = 0);

}  // namespace qe2m4::app
