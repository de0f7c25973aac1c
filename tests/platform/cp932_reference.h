#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace qe2m4::platform {

// The text of tests/platform/data/cp932-windows.txt, compiled into the test program so that the
// Windows build under Wine checks itself against the same reference without reading a file.
extern const std::string_view kCp932WindowsReference;

// The reference read into tables: what Windows reads for every byte sequence and writes for
// every UTF-16 unit.
struct Cp932Reference {
  std::array<bool, 256> lead{};
  std::array<char16_t, 256> single{};  // for the bytes that are not lead bytes
  char16_t lone_lead = 0;              // a lead byte at the end or before a NUL byte
  char16_t unassigned = 0;             // a lead byte and a byte that form no character
  std::map<std::uint16_t, char16_t> pairs;
  std::map<char16_t, std::string> written;  // units written otherwise than the tables turned round

  // What Windows reads for one or two bytes, and writes for one unit.
  std::u16string Read(std::string_view bytes) const;
  std::string Write(char16_t unit) const;

 private:
  std::map<char16_t, std::string> plain_;  // units read from exactly one byte sequence
  friend Cp932Reference ParseCp932Reference(std::string_view text);
};

// Reads the reference's text; throws std::runtime_error on a line it does not understand.
Cp932Reference ParseCp932Reference(std::string_view text);

}  // namespace qe2m4::platform
