// The colour pick of the desktop portal (org.freedesktop.portal.Screenshot,
// PickColor, version 2), as GNOME's and KDE's portals offer it. Everything is
// asynchronous: the window keeps responding while the compositor's picker is
// up, and a portal that is missing or silent is reported within two seconds.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/desktoppick.h"
#include "platform/session.h"

namespace huevox::platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
// The portal answers a call at once; the user's picking comes later, by signal.
constexpr int kAnswerWithinMs = 1500;

const char kWhatWorks[] =
    " Install your desktop's portal (xdg-desktop-portal-gnome or xdg-desktop-portal-kde), or log in "
    "to an X11 session to pick colours from every window.";

// 0-1 to 0-255, to the nearest; anything out of range or not a number is clamped.
std::uint32_t Channel(double fraction) {
  if (!(fraction > 0)) return 0;
  return std::uint32_t(std::lround(std::min(fraction, 1.0) * 255));
}

class PortalColourPick final : public DesktopColourPick {
  Q_OBJECT
 public:
  void Start(QWidget* window) override {
    if (pending_) return;
    pending_ = true;
    ++requests_;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
      return Fail(QStringLiteral("there is no session bus to reach the desktop portal on."),
                  QStringLiteral(" Start Huevox from your desktop session, or log in to an X11 session to pick "
                                 "colours from every window."));
    }
    // The version first: a portal without PickColor says so here, quickly.
    QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    const QString parent = ParentWindow(window);
    Await(bus.asyncCall(get, kAnswerWithinMs), [this, parent](const QDBusMessage& reply) {
      const uint version = reply.arguments().value(0).value<QDBusVariant>().variant().toUInt();
      if (version < 2)
        return Fail(QStringLiteral("the desktop portal's screenshot interface is version %1; picking a colour "
                                   "needs version 2.").arg(version));
      Ask(parent);
    });
  }

  bool Pending() const override { return pending_; }

  void Cancel() override {
    if (!pending_) return;
    if (!request_.isEmpty()) {
      QDBusConnection::sessionBus().asyncCall(
          QDBusMessage::createMethodCall(kService, request_, kRequest, QStringLiteral("Close")));
    }
    Finish();
  }

 private slots:
  void Response(uint response, const QVariantMap& results) {
    Finish();
    if (response == 1) return emit cancelled();
    const QVariant colour = results.value(QStringLiteral("color"));
    if (response != 0 || !colour.canConvert<QDBusArgument>()) {
      return emit failed(QStringLiteral("The desktop could not pick a colour, so nothing was picked.") +
                         QLatin1String(kWhatWorks));
    }
    const QDBusArgument argument = colour.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
      return emit failed(QStringLiteral("The desktop answered the colour pick with something that is not a colour."));
    double red = 0, green = 0, blue = 0;
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    emit picked(Channel(red) | Channel(green) << 8 | Channel(blue) << 16);
  }

 private:
  // The portal shows its picker for this window: X11 windows by their id.
  static QString ParentWindow(QWidget* window) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    return QStringLiteral("x11:") + QString::number(window->winId(), 16);
  }

  void Ask(const QString& parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = QStringLiteral("huevox%1").arg(requests_);
    // Listen before asking, so that no answer can come before the listener:
    // the request's path is made from our bus name and the token.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    Listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));
    QDBusMessage pick = QDBusMessage::createMethodCall(kService, kPath, kScreenshot, QStringLiteral("PickColor"));
    pick << parent << QVariantMap{{QStringLiteral("handle_token"), token}};
    Await(bus.asyncCall(pick, kAnswerWithinMs), [this](const QDBusMessage& reply) {
      // An older portal may name another path than the one made up above.
      const QString handle = reply.arguments().value(0).value<QDBusObjectPath>().path();
      if (!handle.isEmpty() && handle != request_) Listen(handle);
    });
  }

  void Listen(const QString& path) {
    StopListening();
    request_ = path;
    QDBusConnection::sessionBus().connect(kService, request_, kRequest, QStringLiteral("Response"), this,
                                          SLOT(Response(uint, QVariantMap)));
  }

  void StopListening() {
    if (request_.isEmpty()) return;
    QDBusConnection::sessionBus().disconnect(kService, request_, kRequest, QStringLiteral("Response"), this,
                                             SLOT(Response(uint, QVariantMap)));
    request_.clear();
  }

  // Calls `then` with the reply of a call still pending; a failed call ends the pick.
  template <typename Then>
  void Await(const QDBusPendingCall& call, Then then) {
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, then, request = requests_](QDBusPendingCallWatcher* done) {
      done->deleteLater();
      if (!pending_ || request != requests_) return;  // given up meanwhile
      const QDBusMessage reply = done->reply();
      if (reply.type() == QDBusMessage::ErrorMessage) return Fail(Describe(reply));
      then(reply);
    });
  }

  static QString Describe(const QDBusMessage& error) {
    const QString name = error.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
      return QStringLiteral("no desktop portal is running.");
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
      return QStringLiteral("the desktop portal did not answer.");
    if (name == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
        name == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs"))
      return QStringLiteral("the desktop portal offers no colour pick.");
    return QStringLiteral("the desktop portal refused (%1).").arg(error.errorMessage());
  }

  void Fail(const QString& why, const QString& whatWorks = QLatin1String(kWhatWorks)) {
    Finish();
    emit failed(QStringLiteral("The colour spy cannot pick colours in this Wayland session: ") + why + whatWorks);
  }

  void Finish() {
    StopListening();
    pending_ = false;
  }

  bool pending_ = false;
  int requests_ = 0;  // numbers each request, so late answers to given-up ones are known
  QString request_;  // the pending request's object path
};

}  // namespace

std::unique_ptr<DesktopColourPick> CreateDesktopColourPick() {
  if (!CurrentSession().wayland) return nullptr;
  return std::make_unique<PortalColourPick>();
}

}  // namespace huevox::platform

#include "desktoppick.moc"
