#include "app/form1.h"

#include <filesystem>
#include <optional>

#include "app/conversion_run.h"
#include "app/run_notice.h"
#include "app/soil_readings_file.h"
#include "app/soil_readings_message.h"
#include "app/texts.h"
#include "common/ansi_text.h"
#include "common/pattern_folder.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace qe2m4::app {

Form1::Form1(platform::FileSystem& file_system, Form1View& view,
             std::chrono::milliseconds search_progress_delay)
    : Drive1(file_system,
             [this] {
               view_.ShowDrives(Side::kDestination, Drive1);
               Drive1_Change();
             }),
      Drive2(file_system,
             [this] {
               view_.ShowDrives(Side::kSource, Drive2);
               Drive2_Change();
             }),
      Dir1(
          file_system, [this] { view_.ShowFolders(Side::kDestination, Dir1); },
          [this] { Dir1_Change(); }),
      Dir2(
          file_system, [this] { view_.ShowFolders(Side::kSource, Dir2); },
          [this] { Dir2_Change(); }),
      file_system_(file_system),
      view_(view),
      search_progress_delay_(search_progress_delay) {}

void Form1::ShowLists() {
  view_.ShowDrives(Side::kDestination, Drive1);
  view_.ShowDrives(Side::kSource, Drive2);
  view_.ShowFolders(Side::kDestination, Dir1);
  view_.ShowFolders(Side::kSource, Dir2);
}

bool Form1::Form_Load() {
  view_.CentreWindow();

  // The search lets pending events run once per folder; when it lasts, a small window names
  // the folder it has reached, so that a long walk over the drives does not look like a hang.
  const auto start = std::chrono::steady_clock::now();
  bool progress_shown = false;
  const auto progress = [&](std::u16string_view folder) {
    if (progress_shown || std::chrono::steady_clock::now() - start >= search_progress_delay_) {
      view_.ShowSearch(folder);
      progress_shown = true;
    }
    view_.Port().ProcessPendingEvents();
  };
  try {
    PatternFolder = FindPatternFolder(file_system_, progress);
  } catch (const platform::Error&) {
    PatternFolder.clear();
  }
  if (progress_shown) {
    view_.EndSearch();
  }
  if (PatternFolder.empty()) {
    view_.Port().ShowMessage(texts::kNoPatternFolder, std::nullopt, platform::MessageButtons::kOk,
                             platform::MessageIcon::kNone);
    return false;
  }

  StatusShown = 0;

  const std::u16string drive = AnsiLeft(Drive2.Drive(), 2);
  const std::u16string source = drive + u"\\tyujyou";
  if (!drive.empty() && file_system_.Exists(source)) {
    try {
      Dir2.SetPath(source);
    } catch (const platform::Error&) {
      // A file of that name: Dir2 keeps the folder it opened with.
    }
  }
  return true;
}

void Form1::AfterStartUp(const WindowStart& start) {
  if (start.folder) {
    OpenSourceArgument(*start.folder);
  }
  if (const std::optional<std::u16string> warnings = SettingsWarningsMessage(start.warnings)) {
    view_.Port().ShowMessage(*warnings, std::nullopt, platform::MessageButtons::kOk,
                             platform::MessageIcon::kInformation);
  }
}

void Form1::OpenSourceArgument(std::string_view argument) {
  const auto path = FolderArgumentPath(file_system_, argument);
  if (const auto* problem = std::get_if<FolderArgumentProblem>(&path)) {
    view_.Port().ShowMessage(FolderArgumentMessage(*problem, argument), std::nullopt,
                             platform::MessageButtons::kOk, platform::MessageIcon::kExclamation);
    return;
  }
  const std::u16string& folder = std::get<std::u16string>(path);
  try {
    // The drive first: its Change opens the drive's current folder, which the folder replaces.
    Drive2.SetDrive(folder.front());
    Dir2.SetPath(folder);
  } catch (const platform::Error&) {
    // Gone since it was found: as a folder that was never there.
    view_.Port().ShowMessage(FolderArgumentMessage(FolderArgumentProblem::kNotFound, argument),
                             std::nullopt, platform::MessageButtons::kOk,
                             platform::MessageIcon::kExclamation);
  }
}

void Form1::Drive1_Change() {
  const std::u16string drive = AnsiLeft(Drive1.Drive(), 2);
  if (drive.empty()) {
    return;
  }
  bool told = false;
  try {
    Dir1.SetPath(drive + u"\\tyujyou");
  } catch (const platform::Error&) {
    ShowNoTyujyouFolder();
    told = true;
  }
  try {
    file_system_.SetCurrentDrive(drive.front());
  } catch (const platform::Error&) {
    // One message covers both failures of an unready drive.
    if (!told) {
      ShowNoTyujyouFolder();
    }
  }
}

void Form1::Drive2_Change() {
  const std::u16string drive = AnsiLeft(Drive2.Drive(), 2);
  if (drive.empty()) {
    return;
  }
  // Failures on the source side are silent; the list keeps its folder.
  try {
    Dir2.SetPath(drive);
  } catch (const platform::Error&) {
  }
  try {
    file_system_.SetCurrentDrive(drive.front());
  } catch (const platform::Error&) {
  }
}

void Form1::Dir1_Change() {
  view_.SetPathText(Side::kDestination, Dir1.Path());
  try {
    file_system_.SetCurrentFolder(Dir1.Path());
  } catch (const platform::Error&) {
    // The folder went away after the list showed it; the next run's checks report it.
  }
}

void Form1::Dir2_Change() {
  view_.SetPathText(Side::kSource, Dir2.Path());
  try {
    file_system_.SetCurrentFolder(Dir2.Path());
  } catch (const platform::Error&) {
    // As in Dir1_Change.
  }
}

void Form1::Picture1_MouseMove() {
  if (StatusShown == 1) {
    view_.Port().SetStatus(u"");
    StatusShown = 0;
  }
}

void Form1::Command1_Click() {
  // The table is read anew for every run, so that the user's edits count at the next click.
  const std::filesystem::path readings_file = SettingsSoilReadingsFile();
  const SoilReadingsTable table = LoadSoilReadingsFile(readings_file, false);
  if (table.problem) {
    view_.Port().ShowMessage(SoilReadingsProblemMessage(*table.problem, readings_file),
                             std::nullopt, platform::MessageButtons::kOk,
                             platform::MessageIcon::kExclamation);
    return;
  }
  const RunResult result =
      app::RunConversion(file_system_, view_.Port(), view_.PathText(Side::kSource),
                         view_.PathText(Side::kDestination), table.readings);
  if (result.status_shown) {
    StatusShown = 1;
  }
  if (result.succeeded) {
    if (const std::optional<std::u16string> notice = RunNotice(result.report)) {
      view_.Port().ShowMessage(*notice, std::nullopt, platform::MessageButtons::kOk,
                               platform::MessageIcon::kInformation);
    }
  }
}

void Form1::Command2_Click() {
  view_.EndProgram();
}

void Form1::ShowNoTyujyouFolder() {
  view_.Port().ShowMessage(texts::kNoTyujyouFolder, std::nullopt, platform::MessageButtons::kOk,
                           platform::MessageIcon::kNone);
}

}  // namespace qe2m4::app
