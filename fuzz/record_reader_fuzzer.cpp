// Feeds arbitrary bytes to the record reader as a record file: records of every field count the
// first byte picks (no field may hold a line end), then the same bytes line by line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/record_reader.h"
#include "fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qe2m4::fuzz::FuzzMachine& machine = qe2m4::fuzz::ProcessMachine();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qe2m4::fuzz::WriteFile(machine.source() / "X1.TXT", bytes);

  qe2m4::RecordReader reader(machine.fs());
  const int count = size > 0 ? 1 + data[0] % qe2m4::RecordReader::kMaxFields : 4;
  if (reader.OpenRecordFile(u"S:\\BORING\\x1.txt") == 0) {
    for (;;) {
      reader.ReadRecord(count, 2);
      if (reader.RecordPos(2) == qe2m4::RecordReader::kEndOfData) {
        break;
      }
      for (int k = 1; k <= count; ++k) {
        // A field never holds a line end, whatever its quotes.
        if (reader.RecordField(k).find_first_of(u"\r\n") != std::u16string::npos) {
          std::abort();
        }
      }
    }
  }
  if (reader.OpenRecordFile(u"S:\\BORING\\X1.TXT") == 0) {
    while (reader.HasData()) {
      static_cast<void>(reader.ReadLine());
    }
  }
  return 0;
}
