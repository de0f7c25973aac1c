#pragma once

#include <string>
#include <string_view>

namespace qe2m4::platform {

// Code page 932 (Shift-JIS as Windows writes it), the encoding of every data file. Both
// directions give exactly what Windows's own conversion gives, on every system.
//
// Encoding writes a character without a CP932 form as "?"; a character with two forms is written
// in Windows's preferred one (JIS X 0208, then NEC row 13, then the IBM extensions 0xFA-0xFC).
// Decoding never fails: a lead byte and the byte after it are read together, and when they are
// no character they read as the code page's default character "・" (U+30FB), as Windows reads
// them; a lead byte at the very end of the input, or before a NUL byte, reads as "・" alone. The
// single bytes 0x80, 0xA0, 0xFD, 0xFE and 0xFF read as U+0080, U+F8F0, U+F8F1, U+F8F2 and U+F8F3
// and are written back as the same bytes, so every byte survives a read and a write.
std::string EncodeCp932(std::u16string_view text);
std::u16string DecodeCp932(std::string_view bytes);

// The same conversions into buffers the caller keeps, so that a loop over many fields or lines
// reuses one buffer instead of making a new one each time: the first appends the text's bytes to
// `bytes`, the second replaces the content of `text`.
void AppendCp932(std::u16string_view text, std::string& bytes);
void DecodeCp932(std::string_view bytes, std::u16string& text);

// Whether the bytes are CP932 text: every byte or pair of bytes is a character of the code page.
// A pair that forms no character, a lead byte without its second byte, and the single bytes
// that decoding keeps only so that they survive (0x80, 0xA0, 0xFD, 0xFE, 0xFF) are not text.
bool IsCp932Text(std::string_view bytes);

// Whether a character is one of the code page's own: ASCII, or written as a byte or a pair of
// bytes (never as "?"). The characters that only stand for kept bytes (U+0080, U+F8F0 to U+F8F3)
// are not. A table lookup.
bool HasCp932Form(char16_t c);

// The number of bytes the character takes in CP932: 1 for ASCII, half-width katakana and
// characters written as "?", 2 for the rest. A table lookup.
int Cp932Width(char16_t c);

// The CP932 byte length of a text; the sum of its characters' widths.
std::size_t Cp932Length(std::u16string_view text);

}  // namespace qe2m4::platform
