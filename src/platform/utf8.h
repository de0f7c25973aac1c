#pragma once

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

}  // namespace qe2m4::platform
