#pragma once

#include <string_view>

namespace qe2m4::batch {

// The order in which Explorer lists names ("No.2" before "No.10"), computed the same way on every
// system so that a batch over the same archive visits it in the same order everywhere:
//
// - A run of digits is one number and compares by its value; full-width digits (０-９) are
//   digits too. Numbers of equal value compare equal here ("07" and "7"); the tie is broken below.
// - Letter case does not count, nor does width: "ａＢ" is "ab", half-width katakana are their
//   full-width forms (the voiced marks ﾞ ﾟ the marks ゛ ゜), and a katakana is the hiragana of the
//   same sound, so that あ, ア and ｱ sort together, as Japanese Windows sorts kana.
// - Across kinds: blanks, punctuation and symbols first, then numbers, Latin letters, kana,
//   and everything else (kanji ...) last. Symbols, Latin letters and kana compare in the order
//   of their code points (kana in the order of the syllabary); kanji in the order of the JIS
//   table as CP932 writes them (the common kanji ordered by reading, 現場 before 表), those
//   without a CP932 form after them.
// - Names that are equal so far keep an order all the same: the one with fewer leading zeros,
//   then by the names' UTF-16 code units (on Linux "a" and "A" may lie in one folder).
int NaturalCompare(std::u16string_view a, std::u16string_view b);

inline bool NaturalLess(std::u16string_view a, std::u16string_view b) {
  return NaturalCompare(a, b) < 0;
}

}  // namespace qe2m4::batch
