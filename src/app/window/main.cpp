// qe2m4-gui: the window program.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>
#include <iostream>
#include <string>
#include <variant>

#include "app/window/form1_window.h"
#include "app/window_start.h"
#include "catalogue/catalogue.h"
#include "platform/host_paths.h"
#include "platform/program_arguments.h"
#include "platform/utf8.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  // Qt has taken its own options from argv; the rest are the window's.
  qe2m4::app::WindowLaunch launch = qe2m4::app::LaunchWindow(
      qe2m4::platform::ProgramArguments(argc, argv), qe2m4::app::WindowProgram::kLinux);
  if (const auto* help = std::get_if<qe2m4::app::ShowGuiHelp>(&launch)) {
    std::cout << qe2m4::platform::ToUtf8(help->text);
    return 0;
  }
  if (const auto* error = std::get_if<qe2m4::app::GuiUsageError>(&launch)) {
    std::cerr << "qe2m4-gui: " << qe2m4::platform::ToUtf8(error->text);
    return 2;
  }
  qe2m4::app::OpenWindow& open = std::get<qe2m4::app::OpenWindow>(launch);

  // Every text of the window is Japanese; the standard buttons (はい, いいえ) follow suit.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }

  qe2m4::window::Form1Window form(open.file_system);
  if (!form.behaviour().Form_Load()) {
    return 1;
  }
  form.show();
  if (open.screenshot) {
    QCoreApplication::processEvents();
    if (!form.grab().save(QString::fromStdString(open.screenshot->string()), "PNG")) {
      std::cerr << "qe2m4-gui: "
                << qe2m4::catalogue::Format(qe2m4::catalogue::TextId::kWindowScreenshotUnwritable,
                                            {qe2m4::platform::PathUtf8(*open.screenshot)})
                << "\n";
      return 1;
    }
    return 0;
  }
  form.behaviour().AfterStartUp(open.start);
  return QApplication::exec();
}
