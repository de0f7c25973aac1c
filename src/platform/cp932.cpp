#include "platform/cp932.h"

#include <cstdint>
#include <cstring>

#include "platform/cp932_tables.h"

namespace qe2m4::platform {
namespace {

// What Windows reads for a lead byte that forms no character: the code page's default character.
constexpr char16_t kDefaultChar = u'\u30FB';

}  // namespace

std::string EncodeCp932(std::u16string_view text) {
  std::string bytes;
  AppendCp932(text, bytes);
  return bytes;
}

std::u16string DecodeCp932(std::string_view bytes) {
  std::u16string text;
  DecodeCp932(bytes, text);
  return text;
}

// Both conversions size the buffer for the longest result first and then write through a
// pointer: a character takes at most two bytes, a byte gives at most one character. ASCII, most
// of the data, is its own form in code page 932 and takes the short way past the tables.
void AppendCp932(std::u16string_view text, std::string& bytes) {
  const Cp932Tables& tables = GetCp932Tables();
  const std::size_t start = bytes.size();
  bytes.resize(start + 2 * text.size());
  char* out = bytes.data() + start;
  const char16_t* in = text.data();
  const char16_t* const end = in + text.size();
  while (in != end) {
    // Four ASCII characters are told by one test of eight bytes.
    if (end - in >= 4) {
      std::uint64_t four = 0;
      std::memcpy(&four, in, sizeof four);
      if ((four & 0xFF80FF80FF80FF80u) == 0) {
        for (int j = 0; j < 4; ++j) {
          out[j] = static_cast<char>(in[j]);
        }
        out += 4;
        in += 4;
        continue;
      }
    }
    const char16_t c = *in++;
    if (c < 0x80) {
      *out++ = static_cast<char>(c);
      continue;
    }
    const std::uint16_t code = tables.encode[c];
    if (code == Cp932Tables::kUnmapped) {
      *out++ = '?';
    } else if (code < 0x100) {
      *out++ = static_cast<char>(code);
    } else {
      *out++ = static_cast<char>(code >> 8);
      *out++ = static_cast<char>(code & 0xFF);
    }
  }
  bytes.resize(static_cast<std::size_t>(out - bytes.data()));
}

void DecodeCp932(std::string_view bytes, std::u16string& text) {
  const Cp932Tables& tables = GetCp932Tables();
  text.resize(bytes.size());
  char16_t* out = text.data();
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size; ++i) {
    // Eight ASCII bytes, told by one test, become eight characters without the tables.
    while (size - i >= 8) {
      std::uint64_t eight = 0;
      std::memcpy(&eight, bytes.data() + i, sizeof eight);
      if ((eight & 0x8080808080808080u) != 0) {
        break;
      }
      for (int j = 0; j < 8; ++j) {
        out[j] = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(j)]);
      }
      out += 8;
      i += 8;
    }
    if (i == size) {
      break;
    }
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (b < 0x80) {
      *out++ = b;
      continue;
    }
    const char16_t single = tables.decode_single[b];
    if (single != Cp932Tables::kLeadByte) {
      *out++ = single == Cp932Tables::kInvalid ? kDefaultChar : single;
      continue;
    }
    // A lead byte takes the byte after it, whatever that is, except a NUL byte: then Windows
    // reads the lead byte alone and the NUL on its own.
    if (i + 1 == bytes.size() || bytes[i + 1] == '\0') {
      *out++ = kDefaultChar;
      continue;
    }
    const auto trail = static_cast<std::uint8_t>(bytes[++i]);
    const char16_t pair = tables.decode_double[b << 8 | trail];
    *out++ = pair == Cp932Tables::kInvalid ? kDefaultChar : pair;
  }
  text.resize(static_cast<std::size_t>(out - text.data()));
}

bool IsCp932Text(std::string_view bytes) {
  const Cp932Tables& tables = GetCp932Tables();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (b < 0x80) {
      continue;
    }
    const char16_t single = tables.decode_single[b];
    if (single != Cp932Tables::kLeadByte) {
      // Half-width katakana are text; the bytes kept as private or control characters are not.
      if (single == Cp932Tables::kInvalid || single == u'\u0080' ||
          (single >= u'\uF8F0' && single <= u'\uF8F3')) {
        return false;
      }
      continue;
    }
    if (i + 1 == bytes.size()) {
      return false;
    }
    const auto trail = static_cast<std::uint8_t>(bytes[++i]);
    if (tables.decode_double[b << 8 | trail] == Cp932Tables::kInvalid) {
      return false;
    }
  }
  return true;
}

bool HasCp932Form(char16_t c) {
  if (c < 0x80) {
    return true;
  }
  if (c == u'\u0080' || (c >= u'\uF8F0' && c <= u'\uF8F3')) {
    return false;
  }
  return GetCp932Tables().encode[c] != Cp932Tables::kUnmapped;
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
