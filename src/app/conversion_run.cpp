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
#include "platform/destination_lock.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "platform/names.h"
#include "platform/temporary_names.h"
#include "platform/user_interface.h"
#include "platform/vendor.h"
#include "soil/inclusion_table.h"
#include "titles/title_conversion.h"

namespace qe2m4::app {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using platform::PathBox;

// The copies of titl01/02/03.txt exist only for the title conversion, which reads and removes
// them. Whatever ends the run after the copying began (a failure, an interrupt), none of them
// stays in the destination, where a later run could take them for its own boring's.
class TitleCopiesRemover {
 public:
  TitleCopiesRemover(const platform::FileSystem& file_system, std::u16string_view destination)
      : file_system_(file_system), destination_(destination) {}
  ~TitleCopiesRemover() {
    for (const std::u16string_view name : {u"titl01.txt", u"titl02.txt", u"titl03.txt"}) {
      const std::u16string path = destination_ + std::u16string(name);
      try {
        if (file_system_.FileExists(path)) {
          file_system_.DeleteFile(path);
        }
      } catch (const std::exception&) {
        // Nothing more can be done here; the next run does not read a copy it did not make.
      }
    }
  }
  TitleCopiesRemover(const TitleCopiesRemover&) = delete;
  TitleCopiesRemover& operator=(const TitleCopiesRemover&) = delete;

 private:
  const platform::FileSystem& file_system_;
  std::u16string destination_;
};

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
    // By identity: links, mounts, other drive letters and letter case all lead to the folder.
    if (file_system_.SameFolder(source_path_, destination_path_)) {
      Refuse(texts::kSameFolder, source_path_);
      return false;
    }
    // The data test only looks: a missing X1.txt counts as empty and is not created. Something
    // that is there but is not a readable file is an error, not missing data.
    const std::u16string data_file = source_path_ + u"\\X1.txt";
    if (file_system_.Missing(data_file) || file_system_.FileSize(data_file) < 1) {
      Refuse(texts::kNoData, source_path_);
      return false;
    }

    InclusionTable inclusions;
    PrepareSoilTables(inclusions);

    // A path the system cannot hold is refused before any folder is made for it.
    file_system_.CheckPathLimits(destination_path_);
    const bool folders_ready = PrepareDestinationFolders(file_system_, ui_, destination_path_);
    // An interrupt cuts the question short: that is no answer of the user's.
    platform::StopIfInterrupted();
    if (!folders_ready) {
      ui_.SetStatus(u"");
      return false;
    }

    // One run per destination folder; the lock is held until the run ends, however it ends.
    const platform::DestinationLock lock(file_system_.Resolve(destination_path_),
                                         file_system_.FullPath(destination_path_));
    if (!lock.acquired()) {
      Refuse(texts::kDestinationBusy, source_path_);
      return false;
    }
    // With the lock held, temporary files of this program's naming can only be left by runs
    // that no longer exist (killed, or a power cut).
    platform::RemoveStaleTemporaryFiles(file_system_.Resolve(destination_path_));

    ui_.SetBusy(true);
    ui_.SetStatus(texts::kBusy);
    ui_.ProcessPendingEvents();
    result_.status_shown = true;

    ConversionReport& report = result_.report;
    CopyPassThroughFiles(file_system_, source_path_, destination_path_, report);
    const TitleCopiesRemover title_copies(file_system_, destination_path_);
    const std::vector<std::u16string> copied_titles =
        CopyTitleFiles(file_system_, source_path_, destination_path_, report);
    platform::StopIfInterrupted();

    RecordReader reader(file_system_);
    ConversionContext context{file_system_, reader,
                              destination_path_.substr(0, destination_path_.size() - 1), report};

    const CountFields count = ReadSourceCount(file_system_, source_path_);
    WriteDestinationCount(file_system_, destination_path_, count, report);
    platform::StopIfInterrupted();

    TitleTable titles;
    ReadTitleTexts(context, titles, copied_titles);
    WriteTitleFiles(context, source_path_, destination_path_, titles);
    platform::StopIfInterrupted();

    ConvertMeasurementFiles(context, inclusions, readings_, source_path_, destination_path_);
    return true;
  }

  platform::FileSystem& file_system_;
  platform::UserInterface& ui_;
  const SoilReadings& readings_;
  std::u16string source_path_;
  std::u16string destination_path_;
  RunResult result_;
};

}  // namespace

RunResult Command1_Click(platform::FileSystem& file_system, platform::UserInterface& ui,
                         std::u16string_view source_text, std::u16string_view destination_text,
                         const SoilReadings& readings) {
  return ConversionRun(file_system, ui, readings).Run(source_text, destination_text);
}

}  // namespace qe2m4::app
