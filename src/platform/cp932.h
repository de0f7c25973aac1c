#pragma once

#include <string>
#include <string_view>

namespace qe2m4::platform {

// Code page 932 (Shift-JIS as Windows writes it), the encoding of every data file.
//
// Encoding writes a character without a CP932 form as "?". Decoding turns a byte sequence that
// is not CP932 into U+FFFD, one per offending byte, so that a damaged file still reads; a lead
// byte at the very end of the input (half a character) is dropped.
std::string EncodeCp932(std::u16string_view text);
std::u16string DecodeCp932(std::string_view bytes);

// The number of bytes the character takes in CP932: 1 for ASCII, half-width katakana and
// characters written as "?", 2 for the rest. A table lookup.
int Cp932Width(char16_t c);

// The CP932 byte length of a text; the sum of its characters' widths.
std::size_t Cp932Length(std::u16string_view text);

}  // namespace qe2m4::platform
