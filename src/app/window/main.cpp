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

#include "app/window/form1_window.h"
#include "app/window/gui_options.h"
#include "platform/drive_table.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "platform/start_up.h"

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
  const fs::path system = options.system_dir.value_or(qe2m4::platform::DefaultSystemFolder());
  std::error_code ec;
  if (fs::is_directory(system, ec)) {
    if (const auto path = file_system.ToDrivePath(system)) {
      file_system.SetSystemFolder(*path);
    }
  }
  qe2m4::platform::EnterWorkingFolder(file_system);
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

  std::vector<std::string> problems;
  FileSystem file_system(qe2m4::platform::StartUpDriveTable(options->drive_assignments, problems));
  for (const std::string& problem : problems) {
    std::cerr << "qe2m4-gui: " << problem << "\n";
  }
  SetUpFolders(file_system, *options);

  qe2m4::window::Form1Window form(file_system);
  if (!form.behaviour().Form_Load()) {
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
