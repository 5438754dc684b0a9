#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/endprogram.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "platform/windowfont.h"

int main(int argc, char* argv[]) {
#ifndef _WIN32
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    std::fputs("huevox: no display to show its windows on (DISPLAY is not set)\n", stderr);
    return 1;
  }
#endif
  // Owned by EndProgram, the only way out, which takes it down first.
  new QApplication(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Huevox"));
  // Hidden windows (the splash once dismissed, the Styles window) must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);
  huevox::platform::LoadWindowFont();

  huevox::Startup startup;
  QObject::connect(startup.mainWindow(), &huevox::MainWindow::exitRequested,
                   [] { huevox::EndProgram(); });
  startup.start();
  QApplication::exec();
  huevox::EndProgram();
}
