// Builds the CP932 tables with iconv. A Windows build would build them with
// WideCharToMultiByte / MultiByteToWideChar on code page 932 instead.
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
    // A non-reversible conversion (a fallback mapping) is still a mapping for our purposes.
    return out_size - out_left;
  }

 private:
  iconv_t handle_;
};

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
  return tables;
}

}  // namespace

const Cp932Tables& GetCp932Tables() {
  static const std::unique_ptr<const Cp932Tables> tables = BuildTables();
  return *tables;
}

}  // namespace qe2m4::platform
