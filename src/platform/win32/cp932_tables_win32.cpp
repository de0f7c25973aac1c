// Builds the CP932 tables with Windows's own converter for code page 932, so that the program
// reads and writes exactly the bytes every other Windows program does.
#include <windows.h>

#include <memory>

#include "platform/cp932_tables.h"

namespace qe2m4::platform {
namespace {

constexpr UINT kCodePage = 932;

// The character of a byte sequence that the code page maps to exactly one character.
bool DecodeOne(const char* bytes, int size, DWORD flags, char16_t& character) {
  wchar_t out[4];
  if (MultiByteToWideChar(kCodePage, flags, bytes, size, out, 4) != 1) {
    return false;
  }
  character = static_cast<char16_t>(out[0]);
  return true;
}

std::unique_ptr<Cp932Tables> BuildTables() {
  auto tables = std::make_unique<Cp932Tables>();

  for (std::uint32_t c = 0; c < 0x10000; ++c) {
    tables->encode[c] = Cp932Tables::kUnmapped;
    if (c >= 0xD800 && c <= 0xDFFF) {
      continue;
    }
    const wchar_t in = static_cast<wchar_t>(c);
    char out[8];
    BOOL used_default = FALSE;
    // No best fit: a character without its own CP932 form is unmapped, never a look-alike.
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out,
                                      nullptr, &used_default);
    if (used_default) {
      continue;
    }
    if (n == 1) {
      tables->encode[c] = static_cast<std::uint8_t>(out[0]);
    } else if (n == 2) {
      tables->encode[c] = static_cast<std::uint16_t>(static_cast<std::uint8_t>(out[0]) << 8 |
                                                     static_cast<std::uint8_t>(out[1]));
    }
  }

  tables->decode_double.fill(Cp932Tables::kInvalid);
  for (std::uint32_t b = 0; b < 0x100; ++b) {
    tables->decode_single[b] = Cp932Tables::kInvalid;
    const char single[1] = {static_cast<char>(b)};
    if (IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(b)) == 0) {
      // The strict conversion refuses the single bytes 0xA0 and 0xFD to 0xFF, which Windows
      // otherwise reads as private-use characters and writes back; a single byte that reads
      // as the default character "・" (whose own form is two bytes) is no character.
      char16_t character = 0;
      if (DecodeOne(single, 1, 0, character) && character != u'\u30FB') {
        tables->decode_single[b] = character;
      }
      continue;
    }
    tables->decode_single[b] = Cp932Tables::kLeadByte;
    for (std::uint32_t t = 0x40; t <= 0xFC; ++t) {
      const char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
      char16_t character = 0;
      if (DecodeOne(pair, 2, MB_ERR_INVALID_CHARS, character)) {
        tables->decode_double[b << 8 | t] = character;
      }
    }
  }
  return tables;
}

}  // namespace

const Cp932Tables& GetCp932Tables() {
  static const std::unique_ptr<const Cp932Tables> tables = BuildTables();
  return *tables;
}

}  // namespace qe2m4::platform
