// The program's CP932 against the reference measured on Windows's code page 932, for every
// single byte, every two-byte sequence and every UTF-16 unit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp932_reference.h"
#include "platform/cp932.h"
#include "platform/cp932_tables.h"

namespace qe2m4::platform {
namespace {

std::string Hex(std::string_view bytes) {
  std::string text;
  for (const char b : bytes) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[static_cast<std::uint8_t>(b) >> 4];
    text += kDigits[static_cast<std::uint8_t>(b) & 0xF];
  }
  return text;
}

std::string Hex(std::u16string_view units) {
  std::string text;
  for (const char16_t u : units) {
    text += Hex(std::string{static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)}) + " ";
  }
  return text;
}

// Collects the differences and reports the first few, so that a wrong table does not flood the
// output with thousands of failures.
class Differences {
 public:
  void Add(std::string what) {
    ++count_;
    if (first_.size() < 20) {
      first_.push_back(std::move(what));
    }
  }
  ::testing::AssertionResult None() const {
    if (count_ == 0) {
      return ::testing::AssertionSuccess();
    }
    auto result = ::testing::AssertionFailure() << count_ << " differences from Windows:";
    for (const std::string& what : first_) {
      result << "\n  " << what;
    }
    return result;
  }

 private:
  std::size_t count_ = 0;
  std::vector<std::string> first_;
};

class Cp932Windows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { reference_ = ParseCp932Reference(kCp932WindowsReference); }
  static const Cp932Reference& reference() { return reference_; }

 private:
  static inline Cp932Reference reference_;
};

TEST_F(Cp932Windows, ReferenceHoldsTheWholeCodePage) {
  // A truncated or damaged reference would make the other tests pass vacuously.
  EXPECT_EQ(reference().pairs.size(), 9604u);
  EXPECT_EQ(reference().written.size(), 396u);
  EXPECT_EQ(reference().unassigned, u'\u30FB');
}

TEST_F(Cp932Windows, TablesKnowTheLeadBytes) {
  const Cp932Tables& tables = GetCp932Tables();
  Differences differences;
  for (unsigned b = 0; b < 256; ++b) {
    const bool lead = tables.decode_single[b] == Cp932Tables::kLeadByte;
    if (lead != reference().lead[b]) {
      differences.Add("byte " + Hex(std::string(1, static_cast<char>(b))));
    }
  }
  EXPECT_TRUE(differences.None());
}

TEST_F(Cp932Windows, ReadsEveryOneAndTwoByteSequence) {
  Differences differences;
  for (unsigned b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    if (DecodeCp932(one) != reference().Read(one)) {
      differences.Add(Hex(one) + " reads as " + Hex(DecodeCp932(one)));
    }
    for (unsigned t = 0; t < 256; ++t) {
      const std::string two{static_cast<char>(b), static_cast<char>(t)};
      const std::u16string got = DecodeCp932(two);
      if (got != reference().Read(two)) {
        differences.Add(Hex(two) + " reads as " + Hex(got) + "instead of " +
                        Hex(reference().Read(two)));
      }
    }
  }
  EXPECT_TRUE(differences.None());
}

TEST_F(Cp932Windows, WritesEveryUtf16Unit) {
  Differences differences;
  for (unsigned u = 0; u < 0x10000; ++u) {
    const std::u16string unit(1, static_cast<char16_t>(u));
    const std::string expected = reference().Write(unit[0]);
    const std::string got = EncodeCp932(unit);
    if (got != expected) {
      differences.Add(Hex(unit) + "is written as " + Hex(got) + " instead of " + Hex(expected));
    }
    if (Cp932Width(unit[0]) != static_cast<int>(expected.size())) {
      differences.Add(Hex(unit) + "has the width " + std::to_string(Cp932Width(unit[0])));
    }
  }
  EXPECT_TRUE(differences.None());
}

}  // namespace
}  // namespace qe2m4::platform
