#include "titles/title_copies.h"

#include <exception>
#include <utility>

#include "common/counted_copy.h"
#include "common/path_utils.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "platform/names.h"
#include "platform/vendor.h"

namespace qe2m4 {
namespace {

// The title files the title conversion reads, row 1 first.
constexpr std::array<std::u16string_view, TitleTable::kRows> kTitleFiles = {
    u"titl01.txt", u"titl02.txt", u"titl03.txt"};

}  // namespace

TitleCopies::TitleCopies(const platform::FileSystem& file_system,
                         platform::DrivePath destination_folder)
    : file_system_(file_system), destination_(std::move(destination_folder)) {}

TitleCopies::~TitleCopies() {
  for (std::size_t row = 0; row < kRows; ++row) {
    try {
      Remove(row);
    } catch (const std::exception&) {
      // Nothing more can be done here; the next run does not read a copy it did not make.
    }
  }
}

platform::DrivePath TitleCopies::PathOf(std::size_t row) const {
  return destination_.Join(kTitleFiles[row]);
}

void TitleCopies::Remove(std::size_t row) {
  if (removed_[row]) {
    return;
  }
  const platform::DrivePath path = PathOf(row);
  if (file_system_.FileExists(path)) {
    file_system_.DeleteFile(path);
  }
  removed_[row] = true;
}

void TitleCopies::Copy(const platform::DrivePath& source_folder, ConversionReport& report) {
  for (const std::u16string& name : ListFiles(file_system_, source_folder, u"Titl0?.txt")) {
    platform::StopIfInterrupted();
    const std::int64_t lines =
        CopyCountingLines(file_system_, source_folder.Join(name), destination_.Join(name));
    bool consumed = false;
    for (std::size_t row = 0; row < kRows; ++row) {
      if (platform::NamesEqual(name, kTitleFiles[row])) {
        copied_[row] = true;
        consumed = true;
      }
    }
    if (!consumed) {
      report.files.push_back({name, lines});
    }
  }
}

void TitleCopies::ReadTitleTexts(RecordReader& reader, TitleTable& table) {
  for (std::size_t row = 0; row < kRows; ++row) {
    const int table_row = static_cast<int>(row) + 1;
    for (int line = 1; line <= TitleTable::kLines; ++line) {
      table.cell(table_row, line).clear();
    }
    if (copied_[row] && reader.OpenRecordFile(PathOf(row)) == 0) {
      // Lines after the 50th are not read.
      for (int line = 1; line <= TitleTable::kLines && reader.HasData(); ++line) {
        table.cell(table_row, line) = platform::QPTrim(reader.ReadLine());
      }
      reader.Close();
    }
    // Empty copies included: none is left behind.
    Remove(row);
  }
}

}  // namespace qe2m4
