#include "soil/soil_class.h"

#include <cmath>
#include <string>

#include "common/ansi_text.h"
#include "common/numbers.h"
#include "soil/soil_tables.h"

namespace qe2m4 {
namespace {

constexpr std::u16string_view kAdmixtureMark = u"混";
constexpr std::u16string_view kAdjectiveMark = u"質";

bool StartsWithAt(std::u16string_view text, std::size_t at, std::u16string_view part) {
  return at <= text.size() && text.substr(at).starts_with(part);
}

// The number of characters of the admixture word's tail ("じり" or "り") at position at; 0 when
// neither follows.
std::size_t AdmixtureTailLength(std::u16string_view text, std::size_t at) {
  if (StartsWithAt(text, at, u"じり")) {
    return 2;
  }
  if (StartsWithAt(text, at, u"り")) {
    return 1;
  }
  return 0;
}

// Takes out the first listed admixture word found in the text. Without "じり" or "り" behind
// the word, the rest of the text goes with it.
bool MatchAdmixture(std::u16string& text, SoilClass& soil) {
  for (const SoilTableRow& row : AdmixtureTable) {
    const std::size_t mark = row.name.find(kAdmixtureMark);
    if (mark == std::u16string_view::npos) {
      continue;
    }
    const std::u16string_view word = row.name.substr(0, mark + kAdmixtureMark.size());
    const std::size_t at = text.find(word);
    if (at == std::u16string::npos) {
      continue;
    }
    const std::size_t behind = at + word.size();
    const std::size_t tail = AdmixtureTailLength(text, behind);
    std::u16string rest;
    if (tail > 0) {
      rest = text.substr(behind + tail);
    }
    text = text.substr(0, at) + rest;
    soil.admixtureCode = row.code;
    soil.admixtureTarget = row.target;
    return true;
  }
  return false;
}

// An admixture the table does not list ("貝殻混じり"): everything up to the end of the word is
// dropped without a code. A "混" with no tail behind it leaves the text alone.
void DropUnlistedAdmixture(std::u16string& text) {
  const std::size_t at = text.find(kAdmixtureMark);
  if (at == std::u16string::npos) {
    return;
  }
  const std::size_t behind = at + kAdmixtureMark.size();
  const std::size_t tail = AdmixtureTailLength(text, behind);
  if (tail > 0) {
    text.erase(0, behind + tail);
  }
}

// Takes out the first occurrence of the first listed adjective found in the text.
bool MatchAdjective(std::u16string& text, SoilClass& soil) {
  for (const SoilTableRow& row : SoilAdjectiveTable) {
    const std::size_t at = text.find(row.name);
    if (at == std::u16string::npos) {
      continue;
    }
    text.erase(at, row.name.size());
    soil.adjectiveCode = row.code;
    soil.adjectiveTarget = row.target;
    return true;
  }
  return false;
}

// An adjective the table does not list: everything up to and including the first "質" is
// dropped without a code.
void DropUnlistedAdjective(std::u16string& text) {
  const std::size_t at = text.find(kAdjectiveMark);
  if (at != std::u16string::npos) {
    text.erase(0, at + kAdjectiveMark.size());
  }
}

// The longest main soil name in the text wins; of equal lengths the earlier row.
void MatchMainSoil(std::u16string_view text, SoilClass& soil) {
  std::size_t best = 0;
  for (const SoilTableRow& row : MainSoilTable) {
    if (row.name.size() > best && text.find(row.name) != std::u16string_view::npos) {
      best = row.name.size();
      soil.mainCode = row.code;
      soil.mainTarget = row.target;
      soil.mainFound = true;
    }
  }
}

long long WholeValue(std::u16string_view text) {
  return std::llround(LeadingNumber(text));
}

}  // namespace

SoilClass ClassifySoilName(std::u16string_view name) {
  SoilClass soil;
  std::u16string text(name);
  if (!MatchAdmixture(text, soil)) {
    DropUnlistedAdmixture(text);
  }
  if (text.empty()) {
    return soil;
  }
  if (!MatchAdjective(text, soil)) {
    DropUnlistedAdjective(text);
  }
  if (text.empty()) {
    return soil;
  }
  MatchMainSoil(text, soil);
  return soil;
}

std::u16string CombinedTargetCode(const SoilClass& soil) {
  const long long main = WholeValue(soil.mainTarget);
  if (main % 100 != 0) {
    return soil.mainTarget;
  }
  const long long sum = WholeValue(soil.admixtureTarget) + WholeValue(soil.adjectiveTarget) + main;
  const std::string digits = std::to_string(sum < 0 ? -sum : sum);
  return AnsiRight(u"000" + std::u16string(digits.begin(), digits.end()), 3);
}

}  // namespace qe2m4
