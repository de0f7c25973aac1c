// Feeds arbitrary bytes to the batch list reader as a list file, in whatever encoding they
// happen to be, and checks what the reader promises its callers: every line that is neither
// blank nor a comment gives one entry or one problem, in line order; an entry is two paths
// that are not only blanks and hold no line end; a path written back as a spreadsheet cell
// reads back the same; and no path leaves its drive's root when resolved.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_list.h"
#include "batch/csv_fields.h"
#include "common/text_encoding.h"
#include "common/text_lines.h"
#include "fuzz_check.h"
#include "fuzz_machine.h"

namespace {

using qe2m4::fuzz::Require;

bool OnlyBlanks(std::u16string_view text) {
  return text.find_first_not_of(u" \t") == std::u16string_view::npos;
}

// The numbers (from 1) of the lines that are neither blank nor a comment.
std::vector<int> ListedLines(std::u16string_view text) {
  std::vector<int> listed;
  qe2m4::common::TextLines lines(text);
  while (const std::optional<std::u16string_view> next = lines.Next()) {
    const std::u16string_view line = *next;
    const int number = lines.number();
    const std::size_t first = line.find_first_not_of(u" \t");
    if (first != std::u16string_view::npos && line[first] != u'#') {
      listed.push_back(number);
    }
  }
  return listed;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Relative paths of a list resolve on drive S:.
  qe2m4::fuzz::ProcessMachine().fs().SetCurrentDrive(u'S');
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qe2m4::batch::BatchList list = qe2m4::batch::ReadBatchList(bytes);
  const qe2m4::common::DecodedText decoded =
      qe2m4::common::DecodeUserText(bytes, std::nullopt, '#');

  // Each listed line is an entry or a problem, once, in order; the encoding's problem comes
  // first and names the first bad line.
  std::size_t next_problem = 0;
  if (decoded.bad_line != 0) {
    Require(!list.problems.empty() && list.problems.front().lines.size() == 1 &&
                list.problems.front().lines.front() == decoded.bad_line,
            "a list that is not valid text has a problem naming its first bad line");
    next_problem = 1;
  }
  std::size_t next_entry = 0;
  for (const int line : ListedLines(decoded.text)) {
    if (next_entry < list.entries.size() && list.entries[next_entry].line == line) {
      ++next_entry;
    } else {
      Require(next_problem < list.problems.size() &&
                  list.problems[next_problem].lines == std::vector<int>{line},
              "every listed line gives an entry or a problem");
      ++next_problem;
    }
  }
  Require(next_entry == list.entries.size() && next_problem == list.problems.size(),
          "no entry or problem without a listed line");

  qe2m4::platform::FileSystem& file_system = qe2m4::fuzz::ProcessMachine().fs();
  for (const qe2m4::batch::BatchEntry& entry : list.entries) {
    for (const std::u16string* path : {&entry.source, &entry.destination}) {
      Require(!OnlyBlanks(*path), "an entry's path is not only blanks");
      Require(path->find(u'\n') == std::u16string::npos, "an entry's path holds no line feed");
      qe2m4::fuzz::RequireInsideDrive(file_system, *path);
    }
    const std::u16string line =
        qe2m4::batch::CsvField(entry.source) + u"," + qe2m4::batch::CsvField(entry.destination);
    Require(qe2m4::batch::SplitCsvLine(line) ==
                std::vector<std::u16string>{entry.source, entry.destination},
            "an entry's paths written as cells read back the same");
  }
  return 0;
}
