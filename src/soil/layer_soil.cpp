#include "soil/layer_soil.h"

#include <algorithm>
#include <array>
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

// Appends a code column of N1A.txt behind a comma: the code right-aligned in two bytes; a code
// reading "0" is blank. Codes are ASCII digits, two characters a column, and are cut without
// the tables; any other text goes the general way.
void AppendCodeColumn(std::u16string& line, std::u16string_view code) {
  line += u',';
  const std::size_t first = code.find_first_not_of(u' ');
  const std::u16string_view digits =
      first == std::u16string_view::npos ? std::u16string_view() : code.substr(first);
  if (std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c < 0x80; })) {
    std::array<char16_t, 2> column{u' ', u' '};
    const std::size_t n = std::min<std::size_t>(digits.size(), 2);
    std::copy(digits.end() - static_cast<std::ptrdiff_t>(n), digits.end(), column.end() - n);
    if (column[0] == u' ' && column[1] == u'0') {
      column[1] = u' ';
    }
    line.append(column.data(), column.size());
    return;
  }
  const std::u16string column = AnsiRight(u"  " + std::u16string(digits), 2);
  line += column == u" 0" ? kBlankField : std::u16string_view(column);
}

// Appends a target column of N1A.txt behind a comma: the target code as it is, or width blanks
// when it has no digits.
void AppendTargetColumn(std::u16string& line, std::u16string_view target, int width) {
  line += u',';
  if (target.find_first_not_of(u' ') == std::u16string_view::npos) {
    line.append(static_cast<std::size_t>(width), u' ');
  } else {
    line += target;
  }
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
    AppendCodeColumn(detail, slots[k].admixtureCode);
    AppendCodeColumn(detail, slots[k].adjectiveCode);
    AppendCodeColumn(detail, slots[k].mainCode);
  }
  for (int k = 1; k <= kSlotCount; ++k) {
    AppendTargetColumn(detail, slots[k].admixtureTarget, 2);
    AppendTargetColumn(detail, slots[k].adjectiveTarget, 2);
    AppendTargetColumn(detail, slots[k].mainTarget, 3);
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
