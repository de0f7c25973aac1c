#include "platform/cp932.h"

#include <cstdint>

#include "platform/cp932_tables.h"

namespace qe2m4::platform {
namespace {

// What Windows reads for a lead byte that forms no character: the code page's default character.
constexpr char16_t kDefaultChar = u'\u30FB';

}  // namespace

std::string EncodeCp932(std::u16string_view text) {
  const Cp932Tables& tables = GetCp932Tables();
  std::string out;
  out.reserve(text.size() * 2);
  for (const char16_t c : text) {
    const std::uint16_t code = tables.encode[c];
    if (code == Cp932Tables::kUnmapped) {
      out += '?';
    } else if (code < 0x100) {
      out += static_cast<char>(code);
    } else {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    }
  }
  return out;
}

std::u16string DecodeCp932(std::string_view bytes) {
  const Cp932Tables& tables = GetCp932Tables();
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    const char16_t single = tables.decode_single[b];
    if (single != Cp932Tables::kLeadByte) {
      out += single == Cp932Tables::kInvalid ? kDefaultChar : single;
      continue;
    }
    // A lead byte takes the byte after it, whatever that is, except a NUL byte: then Windows
    // reads the lead byte alone and the NUL on its own.
    if (i + 1 == bytes.size() || bytes[i + 1] == '\0') {
      out += kDefaultChar;
      continue;
    }
    const auto trail = static_cast<std::uint8_t>(bytes[++i]);
    const char16_t pair = tables.decode_double[b << 8 | trail];
    out += pair == Cp932Tables::kInvalid ? kDefaultChar : pair;
  }
  return out;
}

int Cp932Width(char16_t c) {
  const std::uint16_t code = GetCp932Tables().encode[c];
  return code != Cp932Tables::kUnmapped && code >= 0x100 ? 2 : 1;
}

std::size_t Cp932Length(std::u16string_view text) {
  const Cp932Tables& tables = GetCp932Tables();
  std::size_t length = 0;
  for (const char16_t c : text) {
    const std::uint16_t code = tables.encode[c];
    length += code != Cp932Tables::kUnmapped && code >= 0x100 ? 2 : 1;
  }
  return length;
}

}  // namespace qe2m4::platform
