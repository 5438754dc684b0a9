#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
#ifndef _WIN32
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    std::fputs("huevox: no display to show its windows on (DISPLAY is not set)\n", stderr);
    return 1;
  }
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Huevox"));
  return app.exec();
}
