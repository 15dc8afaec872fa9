// Entry of every GoogleTest executable: a headless GUI application (reports and pictures are
// drawn with QPainter) under Portuguese (Brazil) regional settings.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
