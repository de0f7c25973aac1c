#include "app/soil_readings_table.h"

#include <map>

#include "app/texts.h"
#include "common/column_rules.h"
#include "common/csv_line.h"
#include "common/text_encoding.h"
#include "common/text_lines.h"
#include "measurements/layer_files.h"
#include "soil/soil_class.h"

namespace qe2m4::app {
namespace {

using Kind = SoilReadingsProblem::Kind;

// The characters with which a spreadsheet cell begins a formula.
constexpr std::u16string_view kFormulaStarts = u"=+-@\t\r";

// A cell as the user meant it: the batch's tables keep a text that a spreadsheet would take for
// a formula as text by a "'" in front of it, which is no part of the description. Blanks around
// the cell do not count, before the mark as after the text.
std::u16string_view CellText(std::u16string_view cell) {
  cell = TrimBlanks(cell);
  if (cell.size() >= 2 && cell.front() == u'\'' &&
      kFormulaStarts.find(cell[1]) != std::u16string_view::npos) {
    cell.remove_prefix(1);
  }
  return cell;
}

bool IsNote(std::u16string_view line) {
  const std::size_t first = line.find_first_not_of(u" \t");
  return first == std::u16string_view::npos || line[first] == u'#';
}

bool IsBlankLine(std::u16string_view line) {
  return line.find_first_not_of(u" \t") == std::u16string_view::npos;
}

// Whether the layer conversion finds a main soil for every name of this description.
bool FindsMainSoil(std::u16string_view description) {
  const LayerNames names = SplitLayerDescription(description);
  for (int k = 1; k <= names.kind; ++k) {
    if (!ClassifySoilName(names.parts[k]).mainFound) {
      return false;
    }
  }
  return true;
}

SoilReadingsTable Fail(SoilReadingsProblem problem) {
  SoilReadingsTable table;
  table.problem = std::move(problem);
  return table;
}

// The place of each of the two columns in the header row, or the problem with it.
struct Columns {
  std::size_t description = 0;
  std::size_t reading = 0;
};
std::optional<SoilReadingsProblem> FindColumns(const std::vector<std::u16string>& header, int line,
                                               Columns& columns) {
  const std::u16string_view names[] = {texts::kReadingsDescriptionColumn,
                                       texts::kReadingsReadingColumn};
  std::size_t* const places[] = {&columns.description, &columns.reading};
  for (int c = 0; c < 2; ++c) {
    int found = 0;
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (CellText(header[i]) == names[c]) {
        *places[c] = i;
        ++found;
      }
    }
    if (found != 1) {
      SoilReadingsProblem problem;
      problem.kind = found == 0 ? Kind::kNoColumn : Kind::kTwoColumns;
      problem.lines = {line};
      problem.column = names[c];
      return problem;
    }
  }
  return std::nullopt;
}

}  // namespace

SoilReadingsTable ReadSoilReadingsTable(std::string_view bytes) {
  const common::DecodedText decoded = common::DecodeUserText(bytes, std::nullopt);
  if (decoded.bad_line != 0) {
    SoilReadingsProblem problem;
    problem.kind = Kind::kBadText;
    problem.lines = {decoded.bad_line};
    problem.encoding = common::EncodingName(decoded.encoding);
    return Fail(std::move(problem));
  }

  SoilReadingsTable table;
  std::optional<Columns> columns;
  std::map<std::u16string, int, std::less<>> first_lines;  // description -> line of its reading
  common::TextLines lines(decoded.text);
  while (const std::optional<std::u16string_view> next = lines.Next()) {
    const std::u16string_view line = *next;
    const int number = lines.number();
    if (columns ? IsBlankLine(line) : IsNote(line)) {
      continue;
    }
    const std::optional<std::vector<std::u16string>> cells = common::SplitCsvLine(line);
    if (!cells) {
      SoilReadingsProblem problem;
      problem.kind = Kind::kBadQuote;
      problem.lines = {number};
      return Fail(std::move(problem));
    }
    if (!columns) {
      columns.emplace();
      if (std::optional<SoilReadingsProblem> problem = FindColumns(*cells, number, *columns)) {
        return Fail(std::move(*problem));
      }
      continue;
    }
    const auto cell = [&](std::size_t i) {
      return i < cells->size() ? CellText((*cells)[i]) : std::u16string_view();
    };
    const std::u16string_view description = cell(columns->description);
    const std::u16string_view reading = cell(columns->reading);
    if (reading.empty()) {
      continue;
    }
    if (const auto it = first_lines.find(description); it != first_lines.end()) {
      if (*table.readings.Find(description) != reading) {
        SoilReadingsProblem problem;
        problem.kind = Kind::kTwoReadings;
        problem.lines = {it->second, number};
        return Fail(std::move(problem));
      }
      continue;
    }
    first_lines.emplace(description, number);
    table.readings.Add(description, reading);
    if (!FindsMainSoil(reading)) {
      table.warnings.push_back({number, std::u16string(reading)});
    }
  }
  return table;
}

}  // namespace qe2m4::app
