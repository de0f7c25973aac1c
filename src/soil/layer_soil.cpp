#include "soil/layer_soil.h"

#include <string>

#include "common/ansi_text.h"
#include "common/column_rules.h"
#include "platform/output_file.h"
#include "soil/soil_class.h"

namespace qe2m4 {
namespace {

constexpr int kSlotCount = 2;
constexpr std::u16string_view kBlankField = u"  ";
// Room for a whole N1A.txt line and a whole N1.txt line, so that each is built in one buffer.
constexpr std::size_t kDetailRoom = 96;
constexpr std::size_t kCombinedRoom = 32;

// A code column of N1A.txt: the code right-aligned in two bytes; a code reading "0" is blank.
std::u16string CodeColumn(std::u16string_view code) {
  const std::size_t first = code.find_first_not_of(u' ');
  const std::u16string_view digits =
      first == std::u16string_view::npos ? std::u16string_view() : code.substr(first);
  std::u16string column = AnsiRight(u"  " + std::u16string(digits), 2);
  if (column == u" 0") {
    column = kBlankField;
  }
  return column;
}

// A target column of N1A.txt: the target code as it is, or width blanks when it has no digits.
std::u16string TargetColumn(std::u16string_view target, int width) {
  if (target.find_first_not_of(u' ') == std::u16string_view::npos) {
    return std::u16string(static_cast<std::size_t>(width), u' ');
  }
  return std::u16string(target);
}

void AppendField(std::u16string& line, std::u16string_view field) {
  line += u',';
  line += field;
}

}  // namespace

LayerSoilResult ClassifyLayerSoil(std::int64_t layer_number, std::u16string_view depth_text,
                                  int name_count, const LayerNameParts& names,
                                  platform::OutputFile& n1, platform::OutputFile& n1a) {
  std::array<SoilClass, kSlotCount + 1> slots{};
  LayerSoilResult result;
  result.main_found.fill(true);
  for (int k = 1; k <= kSlotCount && k <= name_count; ++k) {
    slots[k] = ClassifySoilName(names[k]);
    result.main_found[k] = slots[k].mainFound;
  }

  const std::u16string layer_and_depth =
      RecordNumberColumn(layer_number) + u"," + AlignRight(depth_text, 7);

  std::u16string detail;
  detail.reserve(kDetailRoom);  // one allocation for the whole line
  detail = layer_and_depth;
  for (int k = 1; k <= kSlotCount; ++k) {
    AppendField(detail, CodeColumn(slots[k].admixtureCode));
    AppendField(detail, CodeColumn(slots[k].adjectiveCode));
    AppendField(detail, CodeColumn(slots[k].mainCode));
  }
  for (int k = 1; k <= kSlotCount; ++k) {
    AppendField(detail, TargetColumn(slots[k].admixtureTarget, 2));
    AppendField(detail, TargetColumn(slots[k].adjectiveTarget, 2));
    AppendField(detail, TargetColumn(slots[k].mainTarget, 3));
  }
  // Six columns the target product reserves for further classifications.
  for (int i = 0; i < 6; ++i) {
    AppendField(detail, kBlankField);
  }
  n1a.WriteLine(detail);

  std::u16string combined;
  combined.reserve(kCombinedRoom);
  combined = layer_and_depth;
  for (int k = 1; k <= kSlotCount; ++k) {
    AppendField(combined, CombinedTargetCode(slots[k]));
  }
  n1.WriteLine(combined);
  return result;
}

}  // namespace qe2m4
