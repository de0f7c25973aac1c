#include "cp932_reference.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace qe2m4::platform {
namespace {

std::vector<unsigned> HexNumbers(std::istringstream& line) {
  std::vector<unsigned> numbers;
  std::string word;
  while (line >> word) {
    numbers.push_back(static_cast<unsigned>(std::stoul(word, nullptr, 16)));
  }
  return numbers;
}

std::string BytesOf(unsigned code, std::size_t digits) {
  if (digits <= 2) {
    return std::string(1, static_cast<char>(code));
  }
  return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

}  // namespace

Cp932Reference ParseCp932Reference(std::string_view text) {
  Cp932Reference ref;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream words(line.substr(1));
    const char kind = line[0];
    if (kind == 'E') {
      std::string unit;
      std::string bytes;
      words >> unit >> bytes;
      ref.written[static_cast<char16_t>(std::stoul(unit, nullptr, 16))] =
          BytesOf(static_cast<unsigned>(std::stoul(bytes, nullptr, 16)), bytes.size());
      continue;
    }
    const std::vector<unsigned> n = HexNumbers(words);
    if (kind == 'S' && n.size() == 3) {
      for (unsigned b = n[0]; b <= n[1]; ++b) {
        ref.single[b] = static_cast<char16_t>(n[2] + (b - n[0]));
      }
    } else if (kind == 'L' && n.size() == 2) {
      for (unsigned b = n[0]; b <= n[1]; ++b) {
        ref.lead[b] = true;
      }
    } else if (kind == 'A' && n.size() == 1) {
      ref.lone_lead = static_cast<char16_t>(n[0]);
    } else if (kind == 'U' && n.size() == 1) {
      ref.unassigned = static_cast<char16_t>(n[0]);
    } else if (kind == 'P' && n.size() >= 2) {
      for (std::size_t i = 1; i < n.size(); ++i) {
        ref.pairs[static_cast<std::uint16_t>(n[0] + i - 1)] = static_cast<char16_t>(n[i]);
      }
    } else if (kind == 'R' && n.size() == 3) {
      for (unsigned code = n[0]; code <= n[1]; ++code) {
        ref.pairs[static_cast<std::uint16_t>(code)] = static_cast<char16_t>(n[2] + (code - n[0]));
      }
    } else {
      throw std::runtime_error("cp932 reference: cannot read the line " + line);
    }
  }

  // Turned round: a unit read from exactly one sequence is written as it.
  std::map<char16_t, std::vector<std::string>> readers;
  for (unsigned b = 0; b < 256; ++b) {
    if (!ref.lead[b]) {
      readers[ref.single[b]].push_back(BytesOf(b, 2));
    }
  }
  for (const auto& [code, unit] : ref.pairs) {
    readers[unit].push_back(BytesOf(code, 4));
  }
  for (const auto& [unit, sequences] : readers) {
    if (sequences.size() == 1) {
      ref.plain_[unit] = sequences[0];
    } else if (!ref.written.contains(unit)) {
      throw std::runtime_error("cp932 reference: a unit read from several sequences has no E line");
    }
  }
  return ref;
}

std::u16string Cp932Reference::Read(std::string_view bytes) const {
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (!lead[b]) {
      text += single[b];
    } else if (i + 1 == bytes.size() || bytes[i + 1] == '\0') {
      text += lone_lead;
    } else {
      const auto code = static_cast<std::uint16_t>(b << 8 | static_cast<std::uint8_t>(bytes[++i]));
      const auto found = pairs.find(code);
      text += found == pairs.end() ? unassigned : found->second;
    }
  }
  return text;
}

std::string Cp932Reference::Write(char16_t unit) const {
  if (const auto found = written.find(unit); found != written.end()) {
    return found->second;
  }
  const auto found = plain_.find(unit);
  return found == plain_.end() ? "?" : found->second;
}

}  // namespace qe2m4::platform
