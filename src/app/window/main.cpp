// qe2m4-gui: the window program.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/window/form1.h"
#include "app/window/gui_options.h"
#include "platform/drive_table.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace {

namespace fs = std::filesystem;
using qe2m4::platform::FileSystem;

// The program's folder, the system folder and the current drive and folder, as the program
// started: the current drive is the one holding the working folder, else the first usable one.
void SetUpFolders(FileSystem& file_system, const qe2m4::window::GuiOptions& options) {
  const fs::path program = QCoreApplication::applicationDirPath().toStdString();
  if (const auto path = file_system.ToDrivePath(program)) {
    file_system.SetProgramFolder(*path);
  }
  const fs::path system = options.system_dir.value_or(qe2m4::platform::UserConfigFolder());
  std::error_code ec;
  if (fs::is_directory(system, ec)) {
    if (const auto path = file_system.ToDrivePath(system)) {
      file_system.SetSystemFolder(*path);
    }
  }
  if (const auto path = file_system.ToDrivePath(fs::current_path(ec)); path && !ec) {
    try {
      file_system.SetCurrentFolder(*path);
      file_system.SetCurrentDrive(path->front());
    } catch (const qe2m4::platform::Error&) {
      // The working folder is not reachable through its drive; fall back below.
    }
  }
  if (file_system.CurrentDrive() == 0) {
    const std::vector<char16_t> usable = file_system.UsableDrives();
    if (!usable.empty()) {
      file_system.SetCurrentDrive(usable.front());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  std::string error;
  const auto options =
      qe2m4::window::ParseGuiOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "qe2m4-gui: " << error << "\n" << qe2m4::window::kGuiUsage;
    return 2;
  }
  if (options->help) {
    std::cout << qe2m4::window::kGuiUsage;
    return 0;
  }

  // Every text of the window is Japanese; the standard buttons (はい, いいえ) follow suit.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }

  qe2m4::platform::DriveTable drives = qe2m4::platform::LoadUserDriveTable();
  for (const std::string& assignment : options->drive_assignments) {
    drives.ApplyAssignment(assignment);
  }
  FileSystem file_system(std::move(drives));
  SetUpFolders(file_system, *options);

  qe2m4::window::Form1 form(file_system);
  if (!form.Form_Load()) {
    return 1;
  }
  form.show();
  if (options->screenshot) {
    QCoreApplication::processEvents();
    if (!form.grab().save(QString::fromStdString(options->screenshot->string()), "PNG")) {
      std::cerr << "qe2m4-gui: cannot write " << options->screenshot->string() << "\n";
      return 1;
    }
    return 0;
  }
  return QApplication::exec();
}
