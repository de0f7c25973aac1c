#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "soil/soil_readings.h"

namespace qe2m4::app {

// What makes a table of soil readings unusable: no run uses a table with one.
struct SoilReadingsProblem {
  enum class Kind {
    kMissing,      // the file named for the run is not there
    kUnreadable,   // it is there but cannot be read (cause and reason say why)
    kNotAFile,     // not an ordinary file (a folder, a FIFO, a device)
    kTooLarge,     // larger than kSoilReadingsMaxBytes
    kBadText,      // a line is not valid text in the encoding the file was taken for
    kBadQuote,     // a quote is not closed where it should be
    kNoColumn,     // the header row has no column named column
    kTwoColumns,   // the header row names column twice
    kTwoReadings,  // one description with two different readings
  };
  Kind kind = Kind::kMissing;
  // The lines concerned (from 1, as a text editor counts them); empty for the file as a whole.
  std::vector<int> lines;
  std::u16string column;  // kNoColumn, kTwoColumns
  std::string encoding;   // kBadText: "UTF-8", "CP932", "UTF-16"
  platform::ErrorCause cause = platform::ErrorCause::kUnknown;  // kUnreadable
  std::string reason;  // kUnreadable: the system's own words
};

// A reading that itself finds no main soil: the layers it reads stay without one.
struct SoilReadingsWarning {
  int line = 0;
  std::u16string reading;
};

struct SoilReadingsTable {
  SoilReadings readings;
  std::vector<SoilReadingsWarning> warnings;
  // Set when the table is not to be used; readings is then empty.
  std::optional<SoilReadingsProblem> problem;
};

// Reads the user's table of soil readings from the bytes of its file: comma-separated values
// in UTF-8 (with or without a BOM), UTF-16 with a BOM or CP932, told apart as batch lists are.
// Lines before the header row that are blank or begin (after blanks) with "#" are notes; the
// header row names the columns 記述 (a layer description as X1.TXT holds it) and 読み替え (the
// description to classify instead), in any place among other columns, which are not read.
// Blank lines and rows whose 読み替え is empty are left out. A file without any line but notes
// is a table without readings.
SoilReadingsTable ReadSoilReadingsTable(std::string_view bytes);

}  // namespace qe2m4::app
