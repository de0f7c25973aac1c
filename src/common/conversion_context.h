#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/record_reader.h"
#include "platform/drive_path.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

// An output file a conversion wrote, with its number of lines.
struct WrittenFile {
  std::u16string name;  // file name without folder, as written ("N1.txt")
  std::int64_t lines = 0;
};

// A layer description (X1.TXT field 4) one of whose soil names found no main soil.
struct UnmatchedLayer {
  std::int64_t record = 0;  // record number in X1.TXT, from 1
  std::u16string description;
};

// A layer whose description (X1.TXT field 4) the user's table of soil readings replaced before
// it was classified.
struct ReadLayer {
  std::int64_t record = 0;  // record number in X1.TXT, from 1
  std::u16string description;
  std::u16string reading;
};

// An output the run did not write although its source holds data, and why.
struct NotWrittenFile {
  enum class Reason {
    kNoPatdatIni,       // Patdat32.ini is missing, empty or names no folder
    kPatdatIniIgnored,  // Patdat32.ini is not an ordinary file, or too large to be one
  };
  std::u16string name;  // the output not written ("N6.txt")
  Reason reason = Reason::kNoPatdatIni;
  std::u16string settings;  // the settings file concerned, as the program names it
};

// What one conversion did, for the user to check.
struct ConversionReport {
  std::vector<WrittenFile> files;
  std::vector<UnmatchedLayer> unmatched_layers;
  std::vector<NotWrittenFile> not_written;
  std::vector<ReadLayer> read_layers;
};

// What the converters of one run share; owned by the run.
struct ConversionContext {
  platform::FileSystem& file_system;
  RecordReader& reader;
  // The destination folder.
  platform::DrivePath DestFolder;
  ConversionReport& report;

  // The path of an output in DestFolder.
  platform::DrivePath OutputPath(std::u16string_view name) const { return DestFolder.Join(name); }
};

}  // namespace qe2m4
