#include "measurements/measurement_files.h"

#include <string>
#include <vector>

#include "common/column_rules.h"
#include "measurements/layer_files.h"
#include "measurements/record_family.h"
#include "measurements/x6_converter.h"
#include "measurements/x7_converter.h"
#include "platform/interrupted.h"
#include "platform/vendor.h"

namespace qe2m4 {
namespace {

// Remarks of N12.txt are laid out in lines of this many CP932 bytes.
constexpr int kRemarkWidth = 30;

// The inclusion column of N4.txt: the code of the first table row named exactly as the
// field, as two characters (" 3", "12"), or "oo" when no row has that name.
std::u16string InclusionColumn(const InclusionTable& inclusions, std::u16string_view name) {
  const int code = FindInclusionCode(inclusions, name);
  if (code == 0) {
    return u"oo";
  }
  const std::string digits = std::to_string(code);
  return AlignRight(u"00 " + std::u16string(digits.begin(), digits.end()), 2);
}

void ConvertInclusions(ConversionContext& context, const InclusionTable& inclusions,
                       const platform::DrivePath& source_folder) {
  ConvertRecordFile(context, source_folder, u"X4.TXT", 5, u"N4.txt",
                    [&inclusions](const RecordReader& reader, NumberedLines& lines) {
                      lines.Write({AlignRight(reader.RecordField(2), 7), u"   0.00",
                                   InclusionColumn(inclusions, reader.RecordField(5))});
                    });
}

void ConvertX11(ConversionContext& context, const platform::DrivePath& source_folder) {
  ConvertRecordFile(context, source_folder, u"X11.TXT", 5, u"N11.txt",
                    [](const RecordReader& reader, NumberedLines& lines) {
                      lines.Write({AlignRight(FormatPicture(reader.RecordField(2), u"###0.00"), 7),
                                   AlignRight(FormatPicture(reader.RecordField(3), u"###"), 3),
                                   AlignLeft(reader.RecordField(5), 20)});
                    });
}

void ConvertX3(ConversionContext& context, const platform::DrivePath& source_folder) {
  ConvertRecordFile(
      context, source_folder, u"X3.TXT", 7, u"N3.txt",
      [](const RecordReader& reader, NumberedLines& lines) {
        lines.Write({AlignRight(reader.RecordField(2), 7), AlignLeft(reader.RecordField(3), 6),
                     AlignLeft(reader.RecordField(5), 6)});
      });
}

// One line per 30-byte line of the remark; only the first carries the depth column. The lines
// and the quoted text are kept from one record to the next.
void ConvertRemarks(ConversionContext& context, const platform::DrivePath& source_folder) {
  ConvertRecordFile(
      context, source_folder, u"X12.TXT", 3, u"N12.txt",
      [remark = std::vector<std::u16string>(), quoted = std::u16string()](
          const RecordReader& reader, NumberedLines& lines) mutable {
        SplitFixedWidth(reader.RecordField(3), kRemarkWidth, remark);
        const std::u16string depth =
            AlignRight(FormatPicture(reader.RecordField(2), u"###0.00"), 7);
        for (std::size_t j = 0; j < remark.size(); ++j) {
          quoted.assign(1, u'"').append(remark[j]).push_back(u'"');
          lines.Write(
              {j == 0 ? std::u16string_view(depth) : std::u16string_view(u"       "), quoted});
        }
      });
}

void ConvertX5(ConversionContext& context, const platform::DrivePath& source_folder) {
  ConvertRecordFile(context, source_folder, u"X5.TXT", 11, u"N5.txt",
                    [](const RecordReader& reader, NumberedLines& lines) {
                      const auto code = [&reader](int k) {
                        return AlignRight(platform::QPRTrim(reader.RecordField(k)), 3);
                      };
                      lines.Write({AlignRight(reader.RecordField(2), 7), code(3), code(5), code(6),
                                   code(7), code(8), code(9), code(10), code(11)});
                    });
}

}  // namespace

void ConvertMeasurementFiles(ConversionContext& context, const InclusionTable& inclusions,
                             const SoilReadings& readings,
                             const platform::DrivePath& source_folder) {
  // Each converter writes its own files; an interrupt ends the run between two of them.
  ConvertLayerFile(context, readings, source_folder);
  platform::StopIfInterrupted();
  ConvertInclusions(context, inclusions, source_folder);
  platform::StopIfInterrupted();
  ConvertX11(context, source_folder);
  platform::StopIfInterrupted();
  ConvertX3(context, source_folder);
  platform::StopIfInterrupted();
  ConvertRemarks(context, source_folder);
  platform::StopIfInterrupted();
  ConvertX5(context, source_folder);
  platform::StopIfInterrupted();
  ConvertX6File(context, source_folder);
  platform::StopIfInterrupted();
  ConvertX7File(context, source_folder);
}

}  // namespace qe2m4
