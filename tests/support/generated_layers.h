#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::testing {

// One layer record of a generated X1.TXT, with the way its fields are written.
struct GeneratedLayer {
  std::u16string number;
  std::u16string depth;
  std::u16string colour;
  std::u16string description;
  bool quoted = false;         // the description in double quotes
  bool blanks_before = false;  // blanks and a tab before the description (not part of it)
  bool split = false;          // the record goes on on the next line after its second field
  std::string line_end = "\r\n";
};

// The layer file of a generated boring, as the source product may write it.
struct GeneratedLayerFile {
  std::vector<GeneratedLayer> layers;
  // The file ends after the second field of its last record, whose other fields then keep the
  // texts of the record before it.
  bool cut_last = false;
  bool final_line_end = true;

  // The description the record reader gives for layer i: in quotes as written, otherwise
  // without the blanks written before it.
  std::u16string ReadDescription(std::size_t i) const;
  // X1.TXT's bytes (CP932).
  std::string Bytes() const;
};

// Layer file number seed of count layers (at least 1) whose descriptions are drawn from
// descriptions, alternations of two of them ("<A>と<B>の互層") and those with blanks (U+0020,
// a tab, the full-width space) around them; numbers and depths of odd shapes; quoted fields,
// leading blanks, records over two lines, CR LF, lone LF and lone CR line ends.
GeneratedLayerFile GenerateLayerFile(unsigned seed, std::size_t count,
                                     const std::vector<std::u16string>& descriptions);

}  // namespace qe2m4::testing
