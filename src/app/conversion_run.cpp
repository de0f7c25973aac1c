#include "app/conversion_run.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

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
#include "platform/interrupted.h"
#include "platform/outputs_together.h"
#include "platform/user_interface.h"
#include "soil/inclusion_table.h"
#include "titles/title_conversion.h"
#include "titles/title_copies.h"

namespace qe2m4::app {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using platform::PathBox;

// One click of the execute button. The steps share the checked paths, the user interface and
// the result; everything else a step needs it makes and drops itself.
class ConversionRun {
 public:
  ConversionRun(platform::FileSystem& file_system, platform::UserInterface& ui,
                const SoilReadings& readings)
      : file_system_(file_system), ui_(ui), readings_(readings) {}

  RunResult Run(std::u16string_view source_text, std::u16string_view destination_text) {
    try {
      // What the run learns of the folders lasts for this run only; the folders it changed
      // are flushed once, before success is reported.
      platform::RunScope disk_run(file_system_);
      if (Convert(source_text, destination_text)) {
        disk_run.Finish();
        ui_.SetBusy(false);
        ui_.SetStatus(texts::kSucceeded);
        result_.succeeded = true;
      }
    } catch (const platform::Interrupted&) {
      // The live temporary files and the title copies are gone by now (their owners were
      // unwound); the completed outputs stay.
      result_.interrupted = true;
      Fail(texts::kInterrupted, std::nullopt);
    } catch (const platform::Error& error) {
      // Whatever was completed stays; outputs are complete or absent, so nothing is left
      // half-written. The window stays usable for the next run.
      Fail(RunErrorMessage(error), source_path_);
    } catch (const std::exception& error) {
      // Out of memory, or a fault of the program: reported like a failed file operation,
      // never an end of the program.
      Fail(RunErrorMessage(error), source_path_);
    }
    return std::move(result_);
  }

 private:
  // Shows why the run ended part-way and clears the status line.
  void Fail(std::u16string_view text, const std::optional<std::u16string>& title) {
    ui_.ShowMessage(text, title, MessageButtons::kOk, MessageIcon::kExclamation);
    ui_.SetBusy(false);
    ui_.SetStatus(u"");
  }

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

  // The refusals before anything is written: both path boxes, the destination as typed, one
  // folder for both, and data in the source.
  bool Check(std::u16string_view source_text, std::u16string_view destination_text) {
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
    // Both checked paths begin with their drive: parsed once, used as they are from here on.
    source_ = file_system_.PathOf(source_path_);
    destination_ = file_system_.PathOf(destination_path_);
    // By identity: links, mounts, other drive letters and letter case all lead to the folder.
    if (file_system_.SameFolder(*source_, *destination_)) {
      Refuse(texts::kSameFolder, source_path_);
      return false;
    }
    // The data test only looks: a missing X1.txt counts as empty and is not created. Something
    // that is there but is not a readable file is an error, not missing data.
    const platform::DrivePath data_file = source_->Join(u"X1.txt");
    if (file_system_.Missing(data_file) || file_system_.FileSize(data_file) < 1) {
      Refuse(texts::kNoData, source_path_);
      return false;
    }
    return true;
  }

  // The steps up to the success status; false when the run was refused or the user declined.
  bool Convert(std::u16string_view source_text, std::u16string_view destination_text) {
    // 1. Checks.
    if (!Check(source_text, destination_text)) {
      return false;
    }
    InclusionTable inclusions;
    PrepareSoilTables(inclusions);

    // 2. The destination: limits, folders, lock, stale temporary files.
    std::optional<platform::DestinationLock> lock;
    switch (SetUpDestination(file_system_, ui_, destination_path_, *destination_, lock)) {
      case DestinationSetUp::kDeclined:
        ui_.SetStatus(u"");
        return false;
      case DestinationSetUp::kBusy:
        Refuse(texts::kDestinationBusy, source_path_);
        return false;
      case DestinationSetUp::kReady:
        break;
    }
    ui_.SetBusy(true);
    ui_.SetStatus(texts::kBusy);
    ui_.ProcessPendingEvents();
    result_.status_shown = true;

    // 3. The outputs, family by family; an interrupt ends the run between two of them.
    ConversionReport& report = result_.report;
    FlushedTogether([&] { CopyPassThroughFiles(file_system_, *source_, *destination_, report); });
    TitleCopies title_copies(file_system_, *destination_);
    title_copies.Copy(*source_, report);
    platform::StopIfInterrupted();

    WriteDestinationCount(file_system_, *destination_, destination_path_,
                          ReadSourceCount(file_system_, *source_), report);
    platform::StopIfInterrupted();

    RecordReader reader(file_system_);
    ConversionContext context{file_system_, reader, *destination_, report};
    TitleTable titles;
    title_copies.ReadTitleTexts(reader, titles);

    // The title files and the measurement families read only the source and the settings.
    FlushedTogether([&] {
      WriteTitleFiles(context, titles);
      platform::StopIfInterrupted();
      ConvertMeasurementFiles(context, inclusions, readings_, *source_);
    });
    // An interrupt that came while they were put in place still ends the run: it came before
    // the run was over. The outputs stay, complete, as after any interrupt.
    platform::StopIfInterrupted();
    return true;
  }

  // Runs steps that read nothing their outputs replace, with their outputs flushed together
  // once the last one is complete (OutputsTogether).
  template <typename Steps>
  void FlushedTogether(Steps steps) {
    platform::OutputsTogether together(file_system_);
    try {
      together.Run(steps);
    } catch (...) {
      // The report lists only the files put in place: those removed were listed last.
      std::vector<WrittenFile>& files = result_.report.files;
      files.resize(files.size() - together.removed());
      throw;
    }
  }

  platform::FileSystem& file_system_;
  platform::UserInterface& ui_;
  const SoilReadings& readings_;
  // The path boxes' texts as the checks left them (messages name them so), and the paths.
  std::u16string source_path_;
  std::u16string destination_path_;
  std::optional<platform::DrivePath> source_;
  std::optional<platform::DrivePath> destination_;
  RunResult result_;
};

}  // namespace

RunResult RunConversion(platform::FileSystem& file_system, platform::UserInterface& ui,
                        std::u16string_view source_text, std::u16string_view destination_text,
                        const SoilReadings& readings) {
  return ConversionRun(file_system, ui, readings).Run(source_text, destination_text);
}

}  // namespace qe2m4::app
