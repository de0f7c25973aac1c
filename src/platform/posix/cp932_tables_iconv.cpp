// Builds the CP932 tables with glibc's iconv, then corrects them where glibc's CP932 differs from
// Windows's code page 932, so that both builds read and write the same bytes.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <string>

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

  struct Result {
    std::size_t input;   // bytes read
    std::size_t output;  // bytes written
    bool complete;       // false: stopped before input that cannot be converted
  };
  // Converts as much of the input as it can; stops at the first sequence that cannot be
  // converted (or is incomplete).
  Result ConvertPrefix(const char* in, std::size_t in_size, char* out, std::size_t out_size) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    auto* in_ptr = const_cast<char*>(in);
    char* out_ptr = out;
    std::size_t in_left = in_size;
    std::size_t out_left = out_size;
    const std::size_t result = iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left);
    if (result == static_cast<std::size_t>(-1) && errno == E2BIG) {
      throw std::runtime_error("iconv needs more room than a character's longest form");
    }
    return {in_size - in_left, out_size - out_left, in_left == 0};
  }

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

bool IsLeadByte(std::uint32_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char16_t Unit(const char* utf16le) {
  return static_cast<char16_t>(static_cast<std::uint8_t>(utf16le[0]) |
                               static_cast<std::uint8_t>(utf16le[1]) << 8);
}

// Reads every pair of one lead byte in a single stream: iconv stops at a pair that is no
// character, which is marked and stepped over. One call per row and per gap instead of one per
// pair keeps the start-up short.
void DecodeRow(Converter& from_cp932, std::uint32_t lead, Cp932Tables& tables) {
  constexpr std::uint32_t kFirstTrail = 0x40;
  constexpr std::uint32_t kLastTrail = 0xFC;
  std::string pairs;
  for (std::uint32_t t = kFirstTrail; t <= kLastTrail; ++t) {
    pairs += static_cast<char>(lead);
    pairs += static_cast<char>(t);
  }
  std::string units(pairs.size() * 2, '\0');
  std::size_t done = 0;  // pairs read so far, or stepped over
  while (done * 2 < pairs.size()) {
    const Converter::Result result = from_cp932.ConvertPrefix(
        pairs.data() + done * 2, pairs.size() - done * 2, units.data(), units.size());
    // Each pair reads as exactly one UTF-16 unit; anything else would misplace the table.
    if (result.input % 2 != 0 || result.output != result.input) {
      throw std::runtime_error("iconv reads a CP932 pair as other than one character");
    }
    for (std::size_t k = 0; k < result.input / 2; ++k) {
      tables.decode_double[lead << 8 | (kFirstTrail + done + k)] = Unit(units.data() + 2 * k);
    }
    done += result.input / 2;
    if (!result.complete) {
      ++done;  // the pair that is no character stays kInvalid
    }
  }
}

// Writes every character that some byte or pair reads as, in one stream, and takes each one's
// bytes from the output (a lead byte says a pair follows). Characters that nothing reads as are
// written as "?" whatever glibc would give, since Windows writes a character only as bytes that
// read back as it.
void EncodeReadCharacters(Converter& to_cp932, Cp932Tables& tables) {
  std::array<bool, 0x10000> read{};
  for (const char16_t unit : tables.decode_single) {
    read[unit] = true;
  }
  for (const char16_t unit : tables.decode_double) {
    read[unit] = true;
  }
  read[Cp932Tables::kInvalid] = false;
  read[Cp932Tables::kLeadByte] = false;
  std::u16string characters;
  for (std::uint32_t c = 0; c < 0x10000; ++c) {
    if (read[c]) {
      characters += static_cast<char16_t>(c);
    }
  }
  std::string in;
  for (const char16_t c : characters) {
    in += static_cast<char>(c & 0xFF);
    in += static_cast<char>(c >> 8);
  }
  std::string out(characters.size() * 2, '\0');
  std::size_t done = 0;  // characters written so far, or stepped over
  while (done < characters.size()) {
    const Converter::Result result =
        to_cp932.ConvertPrefix(in.data() + done * 2, in.size() - done * 2, out.data(), out.size());
    std::size_t at = 0;
    for (std::size_t k = 0; k < result.input / 2; ++k) {
      const auto first = static_cast<std::uint8_t>(out[at]);
      std::uint16_t code = first;
      if (IsLeadByte(first)) {
        code = static_cast<std::uint16_t>(first << 8 | static_cast<std::uint8_t>(out[at + 1]));
        ++at;
      }
      ++at;
      tables.encode[characters[done + k]] = code;
    }
    if (at != result.output) {
      throw std::runtime_error("iconv writes a character as other than one CP932 code");
    }
    done += result.input / 2;
    if (!result.complete) {
      ++done;  // a character glibc cannot write stays kUnmapped
    }
  }
}

std::unique_ptr<Cp932Tables> BuildTables() {
  auto tables = std::make_unique<Cp932Tables>();
  Converter to_cp932("CP932", "UTF-16LE");
  Converter from_cp932("UTF-16LE", "CP932");

  tables->encode.fill(Cp932Tables::kUnmapped);
  tables->decode_double.fill(Cp932Tables::kInvalid);
  for (std::uint32_t b = 0; b < 0x100; ++b) {
    tables->decode_single[b] = Cp932Tables::kInvalid;
    if (IsLeadByte(b)) {
      tables->decode_single[b] = Cp932Tables::kLeadByte;
      DecodeRow(from_cp932, b, *tables);
      continue;
    }
    const char in[1] = {static_cast<char>(b)};
    char out[8];
    if (from_cp932.Convert(in, 1, out, sizeof out) == 2) {
      tables->decode_single[b] = Unit(out);
    }
  }
  EncodeReadCharacters(to_cp932, *tables);
  CorrectToWindows(*tables);
  return tables;
}

}  // namespace

const Cp932Tables& GetCp932Tables() {
  static const std::unique_ptr<const Cp932Tables> tables = BuildTables();
  return *tables;
}

}  // namespace qe2m4::platform
