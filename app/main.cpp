#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <cstdio>

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "output/messengerupdate.h"
#include "platform/endrequest.h"
#include "platform/session.h"
#include "platform/windowfont.h"
#include "ui/endprogram.h"

int main(int argc, char* argv[]) {
  // Before the display is looked for: --help works without one.
  if (const int status = huevox::AnswerCommandLine(argc, argv); status >= 0) return status;
  const std::string qtPlatform = huevox::platform::QtPlatformFor();
#ifndef _WIN32
  const huevox::platform::Session session = huevox::platform::SessionFromEnvironment();
  if (!session.x11 && !session.wayland) {
    std::fputs("huevox: no display to show its windows on (DISPLAY is not set)\n", stderr);
    return 1;
  }
  if (!session.x11) {
    // Without XWayland only Qt's Wayland plugin can show the windows; Qt
    // itself would abort with a riddle where it is missing.
    const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    if (plugins.entryList({QStringLiteral("*wayland*")}).isEmpty()) {
      std::fputs("huevox: this Wayland session offers no X display (XWayland), and Qt's Wayland support "
                 "(qt6-wayland) is not installed: turn XWayland on, or install qt6-wayland\n", stderr);
      return 1;
    }
    std::fputs("huevox: this Wayland session offers no X display (XWayland), so Huevox cannot answer "
               "the messenger's dialogs; the colour spy picks through the desktop portal\n", stderr);
  }
#endif
  // Asked of Qt alone: programs started from here (the browser) choose their own.
  if (!qtPlatform.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(qtPlatform));
  // Owned by EndProgram, the only way out, which takes it down first.
  new QApplication(argc, argv);
  if (!qtPlatform.empty()) qunsetenv("QT_QPA_PLATFORM");
  QApplication::setApplicationName(QStringLiteral("Huevox"));
  // Hidden windows (the splash once dismissed, the Styles window) must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);
  huevox::platform::LoadWindowFont();
  // A logout, a kill or Ctrl+C ends it the usual way, which removes its files.
  huevox::platform::OnEndRequested([] { huevox::EndProgram(); });
  huevox::RemoveFontFileLeftBehind();

  huevox::Startup startup;
  QObject::connect(startup.mainWindow(), &huevox::MainWindow::exitRequested,
                   [] { huevox::EndProgram(); });
  startup.start();
  QApplication::exec();
  huevox::EndProgram();
}
