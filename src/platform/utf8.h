#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qe2m4::platform {

// Conversions between the program's text type and the host's UTF-8 file names. Invalid input
// (a lone surrogate, a broken UTF-8 sequence) becomes U+FFFD rather than failing.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Whether the bytes are UTF-8 as a program writes it: no broken sequence, no overlong form, no
// surrogate, nothing above U+10FFFF.
bool IsUtf8Text(std::string_view bytes);

// The length of the UTF-8 character starting at bytes[i], storing the character in c; 0 when the
// bytes there are no character in the sense of IsUtf8Text (a broken, overlong or surrogate
// sequence, a stray byte).
std::size_t DecodeUtf8Character(std::string_view bytes, std::size_t i, char32_t& c);

// Appends one character (at most U+10FFFF, no surrogate) in UTF-8 or UTF-16.
void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);

}  // namespace qe2m4::platform
