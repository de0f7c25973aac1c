// Feeds arbitrary bytes to the reader of the user's table of soil readings, in whatever
// encoding they happen to be, and checks what the reader promises: the same bytes give the same
// table; a table with a problem reads nothing, and its problem names lines of the file (the first
// bad line when the text is not valid); every reading is a trimmed, non-empty text of one line
// that the table finds again for its description; a warning is given, once and in line order,
// exactly for each reading that finds no main soil; a reading classifies into the codes of the
// soil tables; and the table, written back as the batch's soil table writes its rows, reads back
// the same in UTF-8, UTF-16 and CP932.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/soil_readings_table.h"
#include "app/texts.h"
#include "batch/csv_fields.h"
#include "common/text_encoding.h"
#include "common/text_lines.h"
#include "fuzz_check.h"
#include "measurements/layer_files.h"
#include "platform/cp932.h"
#include "platform/utf8.h"
#include "soil/soil_class.h"
#include "soil/soil_tables.h"

namespace {

using qe2m4::fuzz::Require;
using Entries = std::map<std::u16string, std::u16string, std::less<>>;
using Kind = qe2m4::app::SoilReadingsProblem::Kind;

int LineCount(std::u16string_view text) {
  qe2m4::common::TextLines lines(text);
  while (lines.Next()) {
  }
  return lines.number();
}

bool SameProblem(const qe2m4::app::SoilReadingsProblem& a,
                 const qe2m4::app::SoilReadingsProblem& b) {
  return a.kind == b.kind && a.lines == b.lines && a.column == b.column &&
         a.encoding == b.encoding && a.cause == b.cause && a.reason == b.reason;
}

bool SameTable(const qe2m4::app::SoilReadingsTable& a, const qe2m4::app::SoilReadingsTable& b) {
  if (a.problem.has_value() != b.problem.has_value() ||
      (a.problem && !SameProblem(*a.problem, *b.problem))) {
    return false;
  }
  if (a.warnings.size() != b.warnings.size() || a.readings.entries() != b.readings.entries()) {
    return false;
  }
  for (std::size_t i = 0; i < a.warnings.size(); ++i) {
    if (a.warnings[i].line != b.warnings[i].line ||
        a.warnings[i].reading != b.warnings[i].reading) {
      return false;
    }
  }
  return true;
}

void RequireProblem(const qe2m4::app::SoilReadingsTable& table, std::string_view bytes) {
  const qe2m4::app::SoilReadingsProblem& problem = *table.problem;
  Require(table.readings.empty() && table.warnings.empty(), "a table with a problem reads nothing");
  const qe2m4::common::DecodedText decoded = qe2m4::common::DecodeUserText(bytes, std::nullopt);
  Require((problem.kind == Kind::kBadText) == (decoded.bad_line != 0),
          "a table has the bad-text problem exactly when its text is not valid");
  if (problem.kind == Kind::kBadText) {
    Require(problem.lines == std::vector<int>{decoded.bad_line} &&
                problem.encoding == qe2m4::common::EncodingName(decoded.encoding),
            "the bad-text problem names the first bad line and the encoding");
    return;
  }
  const std::size_t expected_lines = problem.kind == Kind::kTwoReadings ? 2 : 1;
  Require(problem.lines.size() == expected_lines, "a problem names its lines");
  const int last = LineCount(decoded.text);
  for (std::size_t i = 0; i < problem.lines.size(); ++i) {
    Require(problem.lines[i] >= 1 && problem.lines[i] <= last &&
                (i == 0 || problem.lines[i - 1] < problem.lines[i]),
            "a problem's lines are lines of the file, in order");
  }
  if (problem.kind == Kind::kNoColumn || problem.kind == Kind::kTwoColumns) {
    Require(problem.column == qe2m4::app::texts::kReadingsDescriptionColumn ||
                problem.column == qe2m4::app::texts::kReadingsReadingColumn,
            "a column problem names one of the table's two columns");
  }
}

bool Trimmed(std::u16string_view text) {
  return text.empty() || (text.front() != u' ' && text.back() != u' ');
}

template <std::size_t N>
bool InTable(std::u16string_view code, std::u16string_view target,
             const std::array<qe2m4::SoilTableRow, N>& rows) {
  return std::any_of(rows.begin(), rows.end(), [&](const qe2m4::SoilTableRow& row) {
    return row.code == code && row.target == target;
  });
}

// A reading classifies into the codes of the soil tables, or keeps a part's blanks.
bool ClassifiesInTables(std::u16string_view reading) {
  const qe2m4::LayerNames names = qe2m4::SplitLayerDescription(reading);
  bool finds_main = true;
  for (int k = 1; k <= names.kind; ++k) {
    const qe2m4::SoilClass soil = qe2m4::ClassifySoilName(names.parts[k]);
    Require((soil.admixtureCode == u"  " && soil.admixtureTarget == u" ") ||
                InTable(soil.admixtureCode, soil.admixtureTarget, qe2m4::AdmixtureTable),
            "an admixture code is one of its table's");
    Require((soil.adjectiveCode == u"  " && soil.adjectiveTarget == u"  ") ||
                InTable(soil.adjectiveCode, soil.adjectiveTarget, qe2m4::SoilAdjectiveTable),
            "an adjective code is one of its table's");
    Require(soil.mainFound ? InTable(soil.mainCode, soil.mainTarget, qe2m4::MainSoilTable)
                           : soil.mainCode == u"  " && soil.mainTarget == u"   ",
            "a main soil code is one of its table's");
    const std::u16string combined = qe2m4::CombinedTargetCode(soil);
    Require(combined.size() == 3 && std::all_of(combined.begin(), combined.end(),
                                                [](char16_t c) { return c >= u'0' && c <= u'9'; }),
            "a combined target code is three digits");
    finds_main = finds_main && soil.mainFound;
  }
  return finds_main;
}

void RequireReadings(const qe2m4::app::SoilReadingsTable& table) {
  std::size_t not_finding = 0;
  std::set<std::u16string_view> readings;
  for (const auto& [description, reading] : table.readings.entries()) {
    Require(!reading.empty(), "a reading is not empty");
    Require(Trimmed(description) && Trimmed(reading),
            "a description and its reading are kept without blanks at either end");
    for (const std::u16string* text : {&description, &reading}) {
      Require(text->find_first_of(std::u16string_view(u"\n\0", 2)) == std::u16string::npos,
              "a description and its reading hold no line feed and no NUL");
    }
    const std::u16string* found = table.readings.Find(u"  " + description + u" ");
    Require(found != nullptr && *found == reading,
            "a description with blanks around it finds its reading");
    not_finding += ClassifiesInTables(reading) ? 0 : 1;
    readings.insert(reading);
  }
  Require(table.warnings.size() == not_finding,
          "one warning for each reading that finds no main soil");
  for (std::size_t i = 0; i < table.warnings.size(); ++i) {
    Require(readings.contains(table.warnings[i].reading), "a warning names a reading of the table");
    Require(i == 0 || table.warnings[i - 1].line < table.warnings[i].line,
            "warnings come in line order");
  }
}

// The table as the batch's soil table writes its rows (texts a spreadsheet keeps as texts, in
// cells as a spreadsheet reads them back), with the soil table's header.
std::u16string WrittenBack(const Entries& entries) {
  std::u16string text = std::u16string(qe2m4::app::texts::kSoilColumns) + u"\r\n";
  for (const auto& [description, reading] : entries) {
    text += qe2m4::batch::CsvField(qe2m4::batch::SpreadsheetText(description)) + u",1,1," +
            qe2m4::batch::CsvField(qe2m4::batch::SpreadsheetText(reading)) + u"\r\n";
  }
  return text;
}

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

void RequireReadBack(std::string_view bytes, const Entries& entries, const char* property) {
  const qe2m4::app::SoilReadingsTable again = qe2m4::app::ReadSoilReadingsTable(bytes);
  Require(!again.problem && again.readings.entries() == entries, property);
}

void RequireWrittenBackReadsTheSame(const Entries& entries) {
  const std::u16string text = WrittenBack(entries);
  RequireReadBack("\xEF\xBB\xBF" + qe2m4::platform::ToUtf8(text), entries,
                  "the table written back in UTF-8 reads the same");
  RequireReadBack(Utf16LittleEndian(text), entries,
                  "the table written back in UTF-16 reads the same");
  if (std::all_of(text.begin(), text.end(), qe2m4::platform::HasCp932Form)) {
    const std::string cp932 = qe2m4::platform::EncodeCp932(text);
    // CP932 bytes that are also UTF-8 of characters CP932 can write are read as UTF-8, as
    // the encoding's rules have it: only a table taken for CP932 must read the same.
    if (qe2m4::common::DecodeUserText(cp932, std::nullopt).encoding ==
        qe2m4::common::TextEncoding::kCp932) {
      RequireReadBack(cp932, entries, "the table written back in CP932 reads the same");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qe2m4::app::SoilReadingsTable table = qe2m4::app::ReadSoilReadingsTable(bytes);
  Require(SameTable(table, qe2m4::app::ReadSoilReadingsTable(bytes)),
          "the same bytes read twice give the same table");
  if (table.problem) {
    RequireProblem(table, bytes);
    return 0;
  }
  RequireReadings(table);
  RequireWrittenBackReadsTheSame(table.readings.entries());
  return 0;
}
