#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/record_reader.h"

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

// What one conversion did, for the user to check.
struct ConversionReport {
  std::vector<WrittenFile> files;
  std::vector<UnmatchedLayer> unmatched_layers;
};

// What the converters of one run share; owned by the run.
struct ConversionContext {
  platform::FileSystem& file_system;
  RecordReader& reader;
  // The destination folder without its trailing "\"; outputs are DestFolder + "\" + name.
  std::u16string DestFolder;
  ConversionReport& report;
};

}  // namespace qe2m4
