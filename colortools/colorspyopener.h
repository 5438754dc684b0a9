#pragma once
// The main window's "Color spy" button: opens the colour spy, created on first
// use and then only shown again, and puts the colours it hands on into the
// main window's colour boxes.
#include <QColor>
#include <QObject>
#include <memory>

namespace huevox {

class ColorSpyWindow;
class MainForm;

class ColorSpyOpener : public QObject {
  Q_OBJECT
 public:
  ColorSpyOpener(MainForm& form, QObject* parent);
  ~ColorSpyOpener() override;

  // Null until the spy was first opened.
  ColorSpyWindow* window() const { return window_.get(); }

 public slots:
  void openColorSpy();
  void useAsFontColour(const QString& code, const QColor& colour);
  void useAsBackgroundColour(const QString& code, const QColor& colour);

 private:
  MainForm& form_;
  std::unique_ptr<ColorSpyWindow> window_;  // modeless, no owner window
};

}  // namespace huevox
