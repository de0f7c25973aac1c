#pragma once

#include <string>
#include <string_view>

// Measuring and cutting texts by the bytes of their CP932 form, which is how the target
// product's fixed-width files count columns. A cut that would split a double-byte character
// drops the half character.
namespace qe2m4 {

// The number of CP932 bytes of the text.
int AnsiLen(std::u16string_view text);
// The characters within the first n bytes.
std::u16string AnsiLeft(std::u16string_view text, int n);
// The characters within bytes start .. start + count - 1 (start counted from 1). A range past
// the end stops at the end; a start past the end gives the empty text.
std::u16string AnsiMid(std::u16string_view text, int start, int count);
// The characters within the last n bytes (the whole text when n is at least its length).
std::u16string AnsiRight(std::u16string_view text, int n);

}  // namespace qe2m4
