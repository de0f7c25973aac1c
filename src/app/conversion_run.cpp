#include "app/conversion_run.h"

#include <optional>
#include <string>

#include "app/count_file.h"
#include "app/destination_folders.h"
#include "app/pass_through_copies.h"
#include "app/run_error_message.h"
#include "app/texts.h"
#include "common/check_path.h"
#include "common/record_reader.h"
#include "measurements/measurement_files.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/names.h"
#include "platform/user_interface.h"
#include "platform/vendor.h"
#include "soil/inclusion_table.h"
#include "titles/title_conversion.h"

namespace qe2m4::app {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using platform::PathBox;

// One click of the execute button. The steps share the checked paths, the user interface and
// the result; everything else a step needs it makes and drops itself.
class ConversionRun {
 public:
  ConversionRun(platform::FileSystem& file_system, platform::UserInterface& ui)
      : file_system_(file_system), ui_(ui) {}

  RunResult Run(std::u16string_view source_text, std::u16string_view destination_text) {
    try {
      if (Convert(source_text, destination_text)) {
        ui_.SetBusy(false);
        ui_.SetStatus(texts::kSucceeded);
        result_.succeeded = true;
      }
    } catch (const platform::Error& error) {
      // Whatever was completed stays; outputs are complete or absent, so nothing is left
      // half-written. The window stays usable for the next run.
      ui_.ShowMessage(RunErrorMessage(error), source_path_, MessageButtons::kOk,
                      MessageIcon::kExclamation);
      ui_.SetBusy(false);
      ui_.SetStatus(u"");
    }
    return std::move(result_);
  }

 private:
  // Shows one of the run's refusals and clears the status line.
  void Refuse(std::u16string_view text, const std::u16string& title) {
    ui_.ShowMessage(text, title, MessageButtons::kOk, MessageIcon::kExclamation);
    ui_.SetStatus(u"");
  }

  // Checks one path box's text; on refusal shows the messages and selects the box.
  bool CheckPathBox(std::u16string& path, PathBox box) {
    const PathCheck check = CheckPath(file_system_, path);
    if (check == PathCheck::kAccepted) {
      return true;
    }
    if (check == PathCheck::kBadDriveName) {
      ui_.ShowMessage(texts::kBadDriveName, std::nullopt, MessageButtons::kOk,
                      MessageIcon::kInformation);
    }
    ui_.ShowMessage(texts::kBadPath, path, MessageButtons::kOk, MessageIcon::kExclamation);
    ui_.FocusAndSelect(box);
    ui_.SetStatus(u"");
    return false;
  }

  // Whether both paths name one folder: the same host folder after letter-case matching, or
  // the same full drive path without regard to letter case.
  bool SameFolder() const {
    if (platform::NamesEqual(file_system_.FullPath(source_path_),
                             file_system_.FullPath(destination_path_))) {
      return true;
    }
    return file_system_.Resolve(source_path_).lexically_normal() ==
           file_system_.Resolve(destination_path_).lexically_normal();
  }

  // The steps up to the success status; false when the run was refused or the user declined.
  bool Convert(std::u16string_view source_text, std::u16string_view destination_text) {
    source_path_ = source_text;
    if (!CheckPathBox(source_path_, PathBox::kSource)) {
      return false;
    }
    destination_path_ = destination_text;
    if (!CheckPathBox(destination_path_, PathBox::kDestination)) {
      return false;
    }
    // The text as typed, not the checked path: a typed trailing "\" is refused.
    if (!destination_text.empty() && destination_text.back() == u'\\') {
      Refuse(texts::kTrailingSeparator, source_path_);
      return false;
    }
    if (SameFolder()) {
      Refuse(texts::kSameFolder, source_path_);
      return false;
    }
    // The data test only looks: a missing X1.txt counts as empty and is not created.
    if (platform::FileSize(file_system_, source_path_ + u"\\X1.txt") < 1) {
      Refuse(texts::kNoData, source_path_);
      return false;
    }

    InclusionTable inclusions;
    PrepareSoilTables(inclusions);

    if (!PrepareDestinationFolders(file_system_, ui_, destination_path_)) {
      ui_.SetStatus(u"");
      return false;
    }

    ui_.SetBusy(true);
    ui_.SetStatus(texts::kBusy);
    ui_.ProcessPendingEvents();
    result_.status_shown = true;

    ConversionReport& report = result_.report;
    CopyPassThroughFiles(file_system_, source_path_, destination_path_, report);
    CopyTitleFiles(file_system_, source_path_, destination_path_, report);

    RecordReader reader(file_system_);
    ConversionContext context{file_system_, reader,
                              destination_path_.substr(0, destination_path_.size() - 1), report};

    const CountFields count = ReadSourceCount(file_system_, source_path_);
    WriteDestinationCount(file_system_, destination_path_, count, report);

    TitleTable titles;
    ReadTitleTexts(context, titles);
    WriteTitleFiles(context, source_path_, destination_path_, titles);

    ConvertMeasurementFiles(context, inclusions, source_path_, destination_path_);
    return true;
  }

  platform::FileSystem& file_system_;
  platform::UserInterface& ui_;
  std::u16string source_path_;
  std::u16string destination_path_;
  RunResult result_;
};

}  // namespace

RunResult Command1_Click(platform::FileSystem& file_system, platform::UserInterface& ui,
                         std::u16string_view source_text, std::u16string_view destination_text) {
  return ConversionRun(file_system, ui).Run(source_text, destination_text);
}

}  // namespace qe2m4::app
