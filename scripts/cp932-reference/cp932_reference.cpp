// Measures code page 932 as Windows converts it and prints the result as the compact reference
// the tests compare the program's CP932 tables with (tests/platform/data/cp932-windows.txt).
//
// Reading is MultiByteToWideChar(932, 0, ...); writing is WideCharToMultiByte(932,
// WC_NO_BEST_FIT_CHARS, ..., "?"), as the program's Windows build converts. Every single byte,
// every two-byte sequence and every UTF-16 unit is converted. The printed form is compact: the
// rules that hold for whole classes of sequences (an unassigned pair, a lone lead byte) are
// printed once, and the tool checks that each such rule holds for every sequence it covers
// before printing it, so the reference says everything that was measured.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Units = std::u16string;

Units Read(const std::string& bytes) {
  wchar_t out[8];
  const int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), out, 8);
  return Units(reinterpret_cast<const char16_t*>(out), n > 0 ? n : 0);
}

std::string Write(char16_t unit) {
  const wchar_t in = unit;
  char out[8];
  const int n =
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out, "?", nullptr);
  return std::string(out, n > 0 ? n : 0);
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string HexBytes(const std::string& bytes) {
  std::string text;
  for (const char b : bytes) {
    text += Hex(static_cast<unsigned char>(b), 2);
  }
  return text;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "cp932_reference: %s\n", what.c_str());
  std::exit(1);
}

struct Measured {
  std::array<bool, 256> lead{};
  std::array<char16_t, 256> single{};
  char16_t lone_lead = 0;
  char16_t unassigned = 0;
  std::map<unsigned, char16_t> pairs;  // assigned pairs only
};

Measured Measure() {
  Measured m;
  // A lead byte is one that takes the next byte with it.
  for (unsigned b = 0; b < 256; ++b) {
    const Units alone = Read(std::string(1, static_cast<char>(b)));
    const Units with_a = Read(std::string{static_cast<char>(b), 'A'});
    if (alone.size() != 1) {
      Fail("byte " + Hex(b, 2) + " alone does not read as one unit");
    }
    m.lead[b] = with_a.size() == 1;
    m.single[b] = alone[0];
  }
  // Every lead byte alone reads the same; so does every unassigned pair. The pair that is read as
  // the default character on purpose (81 45, U+30FB) cannot be told from an unassigned one here;
  // it is the one pair whose unit also writes back as it.
  bool first = true;
  for (unsigned b = 0; b < 256; ++b) {
    if (!m.lead[b]) {
      continue;
    }
    if (first) {
      m.lone_lead = m.single[b];
      m.unassigned = Read(std::string{static_cast<char>(b), '\x01'})[0];
      first = false;
    } else if (m.single[b] != m.lone_lead) {
      Fail("lead byte " + Hex(b, 2) + " alone reads differently");
    }
  }
  for (unsigned b = 0; b < 256; ++b) {
    for (unsigned t = 0; t < 256; ++t) {
      const std::string pair{static_cast<char>(b), static_cast<char>(t)};
      const Units got = Read(pair);
      const std::string code = Hex(b << 8 | t, 4);
      if (!m.lead[b]) {
        const Units expected{m.single[b], m.lead[t] ? m.lone_lead : m.single[t]};
        if (got != expected) {
          Fail("bytes " + code + " do not read as two single bytes");
        }
      } else if (t == 0) {
        if (got != Units{m.lone_lead, u'\0'}) {
          Fail("lead byte before NUL " + code + " is not read alone");
        }
      } else if (got.size() != 1) {
        Fail("pair " + code + " does not read as one unit");
      } else if (got[0] != m.unassigned || Write(got[0]) == pair) {
        m.pairs[b << 8 | t] = got[0];
      }
    }
  }
  return m;
}

void PrintRuns(const char* kind, const std::vector<std::pair<unsigned, char16_t>>& items) {
  // Items are consecutive codes. Runs of 16 or more units counting up print as one range.
  std::size_t i = 0;
  std::string line;
  auto flush = [&line] {
    if (!line.empty()) {
      std::printf("%s\n", line.c_str());
      line.clear();
    }
  };
  while (i < items.size()) {
    std::size_t j = i + 1;
    while (j < items.size() && items[j].second == items[j - 1].second + 1) {
      ++j;
    }
    if (j - i >= 16) {
      flush();
      std::printf("R %s %s %s\n", Hex(items[i].first, 4).c_str(),
                  Hex(items[j - 1].first, 4).c_str(), Hex(items[i].second, 4).c_str());
      i = j;
      continue;
    }
    if (line.empty() || line.size() > 80) {
      flush();
      line = std::string(kind) + " " + Hex(items[i].first, 4);
    }
    line += " " + Hex(items[i].second, 4);
    ++i;
  }
  flush();
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  const Measured m = Measure();

  std::printf(
      "# Code page 932 as Windows converts it: MultiByteToWideChar(932, 0) for reading,\n"
      "# WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, \"?\") for writing. Made by\n"
      "# scripts/cp932-reference/make-reference.sh; numbers are hexadecimal.\n"
      "# S FIRST LAST UNIT   single bytes FIRST..LAST read as UNIT, UNIT+1, ...\n"
      "# L FIRST LAST        lead bytes: a lead byte and the byte after it are read together\n"
      "# A UNIT              a lead byte alone (last byte of the input, or before a NUL byte)\n"
      "# U UNIT              a lead byte and any byte but NUL that are no assigned pair\n"
      "# P CODE UNIT...      pairs CODE, CODE+1, ... read as the UNITs\n"
      "# R FIRST LAST UNIT   pairs FIRST..LAST read as UNIT, UNIT+1, ...\n"
      "# E UNIT BYTES        UNIT is written as BYTES. Units not listed are written as the one\n"
      "#                     byte or pair that reads as them, or as \"?\" (3F) when none does.\n");

  for (unsigned b = 0; b < 256;) {
    unsigned e = b + 1;
    if (m.lead[b]) {
      while (e < 256 && m.lead[e]) {
        ++e;
      }
      std::printf("L %s %s\n", Hex(b, 2).c_str(), Hex(e - 1, 2).c_str());
    } else {
      while (e < 256 && !m.lead[e] && m.single[e] == m.single[e - 1] + 1) {
        ++e;
      }
      std::printf("S %s %s %s\n", Hex(b, 2).c_str(), Hex(e - 1, 2).c_str(),
                  Hex(m.single[b], 4).c_str());
    }
    b = e;
  }
  std::printf("A %s\nU %s\n", Hex(m.lone_lead, 4).c_str(), Hex(m.unassigned, 4).c_str());

  std::vector<std::pair<unsigned, char16_t>> run;
  for (const auto& [code, unit] : m.pairs) {
    if (!run.empty() && code != run.back().first + 1) {
      PrintRuns("P", run);
      run.clear();
    }
    run.emplace_back(code, unit);
  }
  PrintRuns("P", run);

  // Writing: the reading tables turned round, and every unit whose written form differs.
  std::map<char16_t, std::vector<std::string>> readers;
  for (unsigned b = 0; b < 256; ++b) {
    if (!m.lead[b]) {
      readers[m.single[b]].push_back(std::string(1, static_cast<char>(b)));
    }
  }
  for (const auto& [code, unit] : m.pairs) {
    readers[unit].push_back(std::string{static_cast<char>(code >> 8), static_cast<char>(code)});
  }
  for (unsigned u = 0; u < 0x10000; ++u) {
    const auto found = readers.find(static_cast<char16_t>(u));
    const std::string plain = found == readers.end()      ? "?"
                              : found->second.size() == 1 ? found->second[0]
                                                          : "";
    const std::string written = Write(static_cast<char16_t>(u));
    if (written != plain) {
      std::printf("E %s %s\n", Hex(u, 4).c_str(), HexBytes(written).c_str());
    }
  }
  return 0;
}
