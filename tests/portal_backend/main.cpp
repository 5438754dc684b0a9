// Stands in for the compositor's colour picker behind the real
// xdg-desktop-portal: implements org.freedesktop.impl.portal.Screenshot's
// PickColor. What it answers is read from the file named by its argument at
// each call ("colour R G B" with 0-1 doubles, "cancel", "error", "never");
// each call appends a line to that file's ".calls" beside it.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>

class Picker : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.Screenshot")
  Q_PROPERTY(uint version READ version)

 public:
  explicit Picker(QString script) : script_(std::move(script)) {}
  uint version() const { return 2; }

 public slots:
  uint PickColor(const QDBusObjectPath&, const QString&, const QString& parent, const QVariantMap&,
                 QVariantMap& results) {
    QFile calls(script_ + QStringLiteral(".calls"));
    if (calls.open(QIODevice::Append)) calls.write(parent.toUtf8() + '\n');
    QFile file(script_);
    const QStringList words =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(QLatin1Char(' ')) : QStringList();
    const QString what = words.value(0).trimmed();
    if (what == QLatin1String("never")) {
      setDelayedReply(true);  // the picker stays up
      return 0;
    }
    if (what == QLatin1String("cancel")) return 1;
    if (what != QLatin1String("colour") || words.size() != 4) return 2;
    QDBusArgument colour;
    colour.beginStructure();
    colour << words[1].toDouble() << words[2].toDouble() << words[3].toDouble();
    colour.endStructure();
    results.insert(QStringLiteral("color"), QVariant::fromValue(colour));
    return 0;
  }

 private:
  QString script_;
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc != 2) return 2;
  Picker picker{QString::fromLocal8Bit(argv[1])};
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &picker,
                          QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) ||
      !bus.registerService(QStringLiteral("org.freedesktop.impl.portal.desktop.huevoxtest")))
    return 1;
  return application.exec();
}

#include "main.moc"
