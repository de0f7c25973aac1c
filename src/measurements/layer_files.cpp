#include "measurements/layer_files.h"

#include <string>

#include "common/column_rules.h"
#include "measurements/record_family.h"
#include "platform/output_file.h"

namespace qe2m4 {
namespace {

constexpr int kLayerFields = 4;
// The end-marker slot of the layer loop.
constexpr int kLayerSlot = 0;

}  // namespace

LayerNames SplitLayerDescription(std::u16string_view description) {
  LayerNames names;
  const SeparatorSplit alternation = SplitAtSeparator(description, u"互層");
  if (alternation.position == 0) {
    names.parts[1] = std::u16string(description);
    return names;
  }
  names.kind = 2;
  const SeparatorSplit first = SplitAtSeparator(alternation.before, u"と");
  names.parts[1] = first.before;
  names.parts[2] = SplitAtSeparator(first.after, u"の").before;
  return names;
}

void ConvertLayerFile(ConversionContext& context, const SoilReadings& readings,
                      const platform::DrivePath& source_folder) {
  platform::OutputFile n1(context.file_system, context.OutputPath(u"N1.txt"));
  platform::OutputFile n1a(context.file_system, context.OutputPath(u"N1A.txt"));
  RecordReader& reader = context.reader;
  // The run has made sure X1.TXT holds data; a file that vanished since gives empty outputs.
  reader.OpenRecordFile(source_folder.Join(u"X1.TXT"));
  {
    const ReaderCloser closer(reader);
    std::int64_t counter = 0;
    for (;;) {
      reader.ReadRecord(kLayerFields, kLayerSlot);
      if (reader.RecordPos(kLayerSlot) == RecordReader::kEndOfData) {
        break;
      }
      const std::u16string& description = reader.RecordField(4);
      const std::u16string* const reading = readings.Find(description);
      const LayerNames names = SplitLayerDescription(reading != nullptr ? *reading : description);
      ++counter;
      const LayerSoilResult result =
          ClassifyLayerSoil(counter, reader.RecordField(2), names.kind, names.parts, n1, n1a);
      if (reading != nullptr) {
        context.report.read_layers.push_back(ReadLayer{counter, description, *reading});
      }
      if (!result.main_found[1] || !result.main_found[2]) {
        context.report.unmatched_layers.push_back(UnmatchedLayer{counter, description});
      }
    }
  }
  CommitOutput(context, n1, u"N1.txt");
  CommitOutput(context, n1a, u"N1A.txt");
}

}  // namespace qe2m4
