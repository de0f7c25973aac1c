#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/conversion_context.h"
#include "common/record_reader.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {

// A machine with a source boring S:\SRC\, a destination D:\OUT, the system folder
// C:\WINDOWS and a table folder C:\TABLES\, and the context a run would pass down.
class ConversionFixture : public ::testing::Test {
 protected:
  ConversionFixture()
      : src_(machine_.AddDrive(u'S') / "SRC"),
        out_(machine_.AddDrive(u'D') / "OUT"),
        windows_(machine_.AddDrive(u'C') / "WINDOWS"),
        tables_(machine_.Host(u"C:\\TABLES")),
        reader_(machine_.fs()),
        context_{machine_.fs(), reader_, Path(u"D:\\OUT"), report_} {
    std::filesystem::create_directories(src_);
    std::filesystem::create_directories(out_);
    std::filesystem::create_directories(windows_);
    std::filesystem::create_directories(tables_);
    machine_.fs().SetSystemFolder(u"C:\\WINDOWS");
  }

  // A drive path of the machine.
  static platform::DrivePath Path(std::u16string_view text) {
    return *platform::DrivePath::Parse(text);
  }
  // The source boring's folder.
  static platform::DrivePath Source() { return Path(u"S:\\SRC"); }

  // The lines of an output file of the destination, without their CR LF.
  std::vector<std::string> OutLines(const char* name) const {
    const std::string bytes = ReadBytes(out_ / name);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
      const std::size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << name << ": last line without CR LF";
        break;
      }
      lines.push_back(bytes.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  // The names and sizes of the source folder's files, to show a conversion left it alone.
  std::map<std::string, std::uintmax_t> SourceListing() const {
    std::map<std::string, std::uintmax_t> listing;
    for (const auto& entry : std::filesystem::directory_iterator(src_)) {
      listing[entry.path().filename().string()] = entry.file_size();
    }
    return listing;
  }

  TempMachine machine_;
  std::filesystem::path src_;
  std::filesystem::path out_;
  std::filesystem::path windows_;
  std::filesystem::path tables_;
  RecordReader reader_;
  ConversionReport report_;
  ConversionContext context_;
};

// One record line of `count` comma-separated fields, CR LF ended; fields not given are empty.
inline std::string RecordLine(int count, const std::map<int, std::string>& fields) {
  std::string line;
  for (int k = 1; k <= count; ++k) {
    if (k > 1) {
      line += ',';
    }
    const auto field = fields.find(k);
    if (field != fields.end()) {
      line += field->second;
    }
  }
  return line + "\r\n";
}

}  // namespace qe2m4::testing
