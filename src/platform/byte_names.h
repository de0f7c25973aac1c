#pragma once

#include <string>
#include <string_view>

namespace qe2m4::platform {

// Names that a host stores as bytes (POSIX systems), as the program's text and back, without
// loss. Most names are UTF-8; archives from Windows (a zip unpacked here, a copied share) hold
// CP932 names. A name is read:
// - as UTF-8 when its bytes are UTF-8;
// - else as CP932 when its bytes are CP932 text (a trail byte 0x5C, as in "表", stays part of
//   its character and is never a "\");
// - else as UTF-8 in which every byte that is no part of a UTF-8 character is kept as the
//   escape U+DC00 + byte (0x81 becomes U+DC81), a code that no UTF-8 or CP932 character gives.
// Written back, a text becomes UTF-8 and every escape U+DC80 to U+DCFF the very byte it stands
// for, so a name read as UTF-8 or with escapes gives its own bytes again. A CP932 name gives the
// UTF-8 bytes of its characters instead: resolving a path finds the stored name by its text.
std::u16string DecodeByteName(std::string_view bytes);
std::string EncodeByteName(std::u16string_view text);

}  // namespace qe2m4::platform
