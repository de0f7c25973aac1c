// Builds the CP932 tables with glibc's iconv, then corrects them where glibc's CP932 differs from
// Windows's code page 932, so that both builds read and write the same bytes.
#include <iconv.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

#include "platform/cp932_tables.h"

namespace qe2m4::platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in full or returns the number of output bytes -1 on any failure.
  std::size_t Convert(const char* in, std::size_t in_size, char* out, std::size_t out_size) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    auto* in_ptr = const_cast<char*>(in);
    char* out_ptr = out;
    std::size_t in_left = in_size;
    std::size_t out_left = out_size;
    const std::size_t result = iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left);
    if (result == static_cast<std::size_t>(-1) || in_left != 0) {
      return static_cast<std::size_t>(-1);
    }
    return out_size - out_left;
  }

 private:
  iconv_t handle_;
};

// Single bytes that Windows reads as characters of their own (and writes back) where glibc has
// none: 0x80 as U+0080, and 0xA0, 0xFD, 0xFE and 0xFF as private-use characters.
struct SingleByte {
  std::uint8_t byte;
  char16_t unit;
};
constexpr SingleByte kWindowsSingleBytes[] = {
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'},
};

void CorrectToWindows(Cp932Tables& tables) {
  for (const SingleByte& s : kWindowsSingleBytes) {
    tables.decode_single[s.byte] = s.unit;
    tables.encode[s.unit] = s.byte;
  }
  // glibc also writes some characters that have no CP932 form as a look-alike (U+00A5 YEN SIGN
  // as 0x5C, U+203E as 0x7E, U+301C as 81 60, ...). Windows writes "?" for them: a character is
  // written only as the bytes that read back as it.
  for (std::uint32_t c = 0; c < 0x10000; ++c) {
    const std::uint16_t code = tables.encode[c];
    if (code == Cp932Tables::kUnmapped) {
      continue;
    }
    const char16_t read_back =
        code < 0x100 ? tables.decode_single[code] : tables.decode_double[code];
    if (read_back != c) {
      tables.encode[c] = Cp932Tables::kUnmapped;
    }
  }
}

std::unique_ptr<Cp932Tables> BuildTables() {
  auto tables = std::make_unique<Cp932Tables>();
  Converter to_cp932("CP932", "UTF-16LE");
  Converter from_cp932("UTF-16LE", "CP932");

  for (std::uint32_t c = 0; c < 0x10000; ++c) {
    tables->encode[c] = Cp932Tables::kUnmapped;
    if (c >= 0xD800 && c <= 0xDFFF) {
      continue;
    }
    const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    char out[8];
    const std::size_t n = to_cp932.Convert(in, 2, out, sizeof out);
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
    const char in[1] = {static_cast<char>(b)};
    char out[8];
    if (from_cp932.Convert(in, 1, out, sizeof out) == 2) {
      tables->decode_single[b] = static_cast<char16_t>(static_cast<std::uint8_t>(out[0]) |
                                                       static_cast<std::uint8_t>(out[1]) << 8);
      continue;
    }
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (!lead) {
      continue;
    }
    tables->decode_single[b] = Cp932Tables::kLeadByte;
    for (std::uint32_t t = 0x40; t <= 0xFC; ++t) {
      const char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
      if (from_cp932.Convert(pair, 2, out, sizeof out) == 2) {
        tables->decode_double[b << 8 | t] = static_cast<char16_t>(
            static_cast<std::uint8_t>(out[0]) | static_cast<std::uint8_t>(out[1]) << 8);
      }
    }
  }
  CorrectToWindows(*tables);
  return tables;
}

}  // namespace

const Cp932Tables& GetCp932Tables() {
  static const std::unique_ptr<const Cp932Tables> tables = BuildTables();
  return *tables;
}

}  // namespace qe2m4::platform
