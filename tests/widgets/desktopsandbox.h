#pragma once
// A throwaway desktop for the tests: its own XDG data, config and cache homes,
// no system-wide data folders, and file types registered to programs of the
// test's choosing, so xdg-open finds exactly what a test sets up. A window
// manager (openbox) can be started on the test's display.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

class DesktopSandbox {
 public:
  DesktopSandbox() {
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS",
                             "XDG_CACHE_HOME", "BROWSER", "XDG_CURRENT_DESKTOP", "DE"}) {
      saved_[name] = qgetenv(name);
      had_[name] = qEnvironmentVariableIsSet(name);
    }
    QDir(dir_.path()).mkpath("data/mime/packages");
    QDir(dir_.path()).mkpath("data/applications");
    QDir(dir_.path()).mkpath("config");
    QDir(dir_.path()).mkpath("system");
    QDir(dir_.path()).mkpath("cache");
    qputenv("XDG_DATA_HOME", path("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
    qputenv("XDG_DATA_DIRS", path("system").toUtf8());
    qputenv("XDG_CACHE_HOME", path("cache").toUtf8());
    // Without a registered program xdg-open falls back on $BROWSER: make that fail.
    qputenv("BROWSER", "false");
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DE");
  }
  ~DesktopSandbox() {
    stopWindowManager();
    for (const auto& [name, value] : saved_) {
      if (had_[name]) qputenv(name.c_str(), value);
      else qunsetenv(name.c_str());
    }
  }

  QString path(const QString& name = {}) const {
    return name.isEmpty() ? dir_.path() : dir_.filePath(name);
  }
  bool isValid() const { return dir_.isValid(); }

  // Makes `command` (absolute, no spaces; %f is the file) the default program
  // for files matching `glob`.
  bool registerProgram(const QString& mimeType, const QString& glob, const QString& command) {
    const QString id = QString(mimeType).replace('/', '-').replace('+', '-');
    if (!write("data/mime/packages/" + id + ".xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"" + mimeType.toUtf8() + "\">\n"
               "    <comment>test type</comment>\n"
               "    <glob pattern=\"" + glob.toUtf8() + "\"/>\n"
               "  </mime-type>\n</mime-info>\n"))
      return false;
    if (!write("data/applications/" + id + ".desktop",
               "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=" +
                   command.toUtf8() + "\nMimeType=" + mimeType.toUtf8() + ";\n"))
      return false;
    return run("update-mime-database", {path("data/mime")}) &&
           run("xdg-mime", {"default", id + ".desktop", mimeType});
  }

  // A script that appends its first argument and then the file's bytes to `record`.
  QString recordingScript(const QString& name, const QString& record) {
    const QString script = path(name);
    write(name, "#!/bin/sh\necho \"$1\" >> '" + record.toUtf8() + "'\ncat \"$1\" >> '" +
                    record.toUtf8() + "'\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    return script;
  }

  bool startWindowManager() {
    wm_.setProgram("openbox");
    wm_.setArguments({"--sm-disable"});
    // Its themes live in the system's data folders, which the sandbox hides.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    wm_.setProcessEnvironment(env);
    wm_.setStandardOutputFile(QProcess::nullDevice());
    wm_.setStandardErrorFile(QProcess::nullDevice());
    wm_.start();
    if (!wm_.waitForStarted()) return false;
    // Ready when it has announced itself on the root window, and still there.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && wm_.state() == QProcess::Running) {
      if (rootProperty("_NET_SUPPORTING_WM_CHECK").contains("window id")) {
        QTest::qWait(200);
        return wm_.state() == QProcess::Running;
      }
      QTest::qWait(50);
    }
    return false;
  }
  // True while the window manager runs and manages at least one window.
  bool windowManagerManages() {
    return wm_.state() == QProcess::Running &&
           rootProperty("_NET_CLIENT_LIST").contains("window id");
  }
  static QByteArray rootProperty(const char* name) {
    QProcess xprop;
    xprop.start("xprop", {"-root", QString::fromLatin1(name)});
    xprop.waitForFinished();
    return xprop.readAllStandardOutput();
  }
  void stopWindowManager() {
    if (wm_.state() == QProcess::NotRunning) return;
    wm_.terminate();
    if (!wm_.waitForFinished(5000)) {
      wm_.kill();
      wm_.waitForFinished();
    }
    // The root keeps the property; a later test must not believe a manager runs.
    QProcess::execute("xprop", {"-root", "-remove", "_NET_SUPPORTING_WM_CHECK"});
  }

  bool write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }

  static bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
  }

 private:
  QTemporaryDir dir_;
  QProcess wm_;
  std::map<std::string, QByteArray> saved_;
  std::map<std::string, bool> had_;
};

// Lines of a record file written by a helper program; empty when there is none.
inline QStringList RecordLines(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

// Waits (handling events) until the condition holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > milliseconds) return false;
    QTest::qWait(20);
  }
  return true;
}

#include <QApplication>
#include <QMessageBox>

// The text of a shown message titled "Huevox", closing it; empty when none is shown.
inline QString TakeMessage() {
  QString text;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box || !box->isVisible() || box->windowTitle() != QStringLiteral("Huevox")) continue;
    if (!text.isEmpty()) text += '\n';
    text += box->text();
    box->close();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return text;
}
