#pragma once
// A colour picked by the desktop itself, where programs may not read the
// screen (a Wayland session): the compositor shows its own picker and hands
// back the colour. One backend per platform; none where programs read the
// screen themselves.
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

class QWidget;

namespace huevox::platform {

class DesktopColourPick : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  // Asks the desktop for a colour, for `window`; does nothing while an
  // earlier request is pending. Returns at once: one signal answers later.
  virtual void Start(QWidget* window) = 0;
  virtual bool Pending() const = 0;
  // Gives up the pending request, if any; no signal follows.
  virtual void Cancel() = 0;

 signals:
  void picked(std::uint32_t colourValue);  // 0x00BBGGRR, red in the low byte
  void cancelled();                        // the user gave the pick up
  void failed(const QString& sentence);    // for the user: what went wrong, what works
};

// The desktop's pick in a session that needs it (Wayland); null elsewhere,
// where the colour spy reads the screen itself.
std::unique_ptr<DesktopColourPick> CreateDesktopColourPick();

}  // namespace huevox::platform
