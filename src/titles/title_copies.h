#pragma once

#include <array>

#include "common/conversion_context.h"
#include "titles/title_conversion.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

// The title files one run copies into its destination folder: every "Titl0?.txt" of the
// source. The copies of titl01.txt, titl02.txt and titl03.txt are the title conversion's:
// ReadTitleTexts reads them into the table and removes them. Whatever ends the run before that
// (a failure, an interrupt), they are removed with this object, so that none outlives the run,
// where a later run could take them for its own boring's titles. Every other copy stays.
class TitleCopies {
 public:
  TitleCopies(const platform::FileSystem& file_system, platform::DrivePath destination_folder);
  ~TitleCopies();
  TitleCopies(const TitleCopies&) = delete;
  TitleCopies& operator=(const TitleCopies&) = delete;

  // Copies every file matching "Titl0?.txt" from the source folder, a block at a time; the copies
  // that stay are listed in the report with their lines. Stops between two files when an interrupt
  // has come.
  void Copy(const platform::DrivePath& source_folder, ConversionReport& report);

  // Reads the copies of titl01/02/03.txt into rows 1 to 3 of the table (their first 50 lines,
  // blanks at both ends removed) and removes them. A file of one of those names in the
  // destination that this run did not copy is stale (left by an earlier boring): it is
  // removed unread and its row stays empty.
  void ReadTitleTexts(RecordReader& reader, TitleTable& table);

 private:
  static constexpr std::size_t kRows = TitleTable::kRows;
  platform::DrivePath PathOf(std::size_t row) const;
  // Removes the file of a row's name from the destination, once.
  void Remove(std::size_t row);

  const platform::FileSystem& file_system_;
  platform::DrivePath destination_;
  std::array<bool, kRows> copied_{};   // this run copied the row's file
  std::array<bool, kRows> removed_{};  // the row's file is gone from the destination
};

}  // namespace qe2m4
