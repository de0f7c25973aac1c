#pragma once

#include <string>
#include <string_view>

namespace qe2m4 {

// The classification of one soil name: admixture, adjective and main soil, each as its N1A.txt
// code and its target code. Fields not found keep their blanks.
struct SoilClass {
  std::u16string admixtureCode = u"  ";
  std::u16string adjectiveCode = u"  ";
  std::u16string mainCode = u"  ";
  std::u16string admixtureTarget = u" ";
  std::u16string adjectiveTarget = u"  ";
  std::u16string mainTarget = u"   ";
  bool mainFound = false;
};

// Classifies one soil name: takes out one admixture word ("...混" followed by "じり" or "り"),
// then one adjective ("...質"), and picks the longest main soil name left in the text.
SoilClass ClassifySoilName(std::u16string_view name);

// The three-digit target code of a classification: a main target that is a multiple of 100 is
// summed with the adjective (tens) and admixture (units) targets; any other main target is a
// complete code of its own. Nothing found gives "000".
std::u16string CombinedTargetCode(const SoilClass& soil);

}  // namespace qe2m4
