#pragma once

#include <array>
#include <cstdint>

namespace qe2m4::platform {

// The CP932 mapping as lookup tables, built once from the host's converter and made to hold
// exactly what Windows's code page 932 gives (tests/platform/data/cp932-windows.txt).
struct Cp932Tables {
  // Value for a character without a CP932 form in `encode`: written as "?".
  static constexpr std::uint16_t kUnmapped = 0xFFFF;
  // Value for a byte or pair that is no character in `decode_single` and `decode_double`: read
  // as the code page's default character.
  static constexpr char16_t kInvalid = 0xFFFF;
  // Value in `decode_single` for a byte that starts a two-byte character.
  static constexpr char16_t kLeadByte = 0xFFFE;

  // Character -> bytes: below 0x100 one byte, otherwise lead << 8 | trail.
  std::array<std::uint16_t, 0x10000> encode;
  std::array<char16_t, 0x100> decode_single;
  // Indexed by lead << 8 | trail.
  std::array<char16_t, 0x10000> decode_double;
};

// The tables, built on first use by the host's converter (iconv on Linux, the code-page API on
// Windows) and never changed after.
const Cp932Tables& GetCp932Tables();

}  // namespace qe2m4::platform
