// qe2m4-gui: the window program.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>
#include <iostream>
#include <string>
#include <vector>

#include "app/gui_options.h"
#include "app/window/form1_window.h"
#include "app/window_start.h"
#include "platform/file_system.h"
#include "platform/start_up.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  std::string error;
  const auto options =
      qe2m4::app::ParseGuiOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "qe2m4-gui: " << error << "\n" << qe2m4::app::kGuiUsage;
    return 2;
  }
  if (options->help) {
    std::cout << qe2m4::app::kGuiUsage;
    return 0;
  }

  // Every text of the window is Japanese; the standard buttons (はい, いいえ) follow suit.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }

  std::vector<std::string> problems;
  qe2m4::platform::FileSystem file_system(
      qe2m4::platform::StartUpDriveTable(options->drive_assignments, problems));
  for (const std::string& problem : problems) {
    std::cerr << "qe2m4-gui: " << problem << "\n";
  }
  qe2m4::app::EnterWindowFolders(file_system, *options);

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
