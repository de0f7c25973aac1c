// The window's tests share one QApplication on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QtGlobal>
#include <optional>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (as the build does to discover them) needs no application.
  std::optional<QApplication> application;
  if (!GTEST_FLAG_GET(list_tests)) {
    application.emplace(argc, argv);
  }
  return RUN_ALL_TESTS();
}
