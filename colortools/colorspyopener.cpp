#include "colortools/colorspyopener.h"

#include "ui/mainform.h"
#include "ui/windowutil.h"
#include "colortools/colorspywindow.h"

namespace huevox {

ColorSpyOpener::ColorSpyOpener(MainForm& form, QObject* parent) : QObject(parent), form_(form) {}

ColorSpyOpener::~ColorSpyOpener() = default;

void ColorSpyOpener::openColorSpy() {
  if (!window_) {
    window_ = std::make_unique<ColorSpyWindow>();
    connect(window_.get(), &ColorSpyWindow::fontColourChosen, this, &ColorSpyOpener::useAsFontColour);
    connect(window_.get(), &ColorSpyWindow::backgroundColourChosen, this, &ColorSpyOpener::useAsBackgroundColour);
  }
  ShowClearOf(window_.get(), form_.formWindow());
}

void ColorSpyOpener::useAsFontColour(const QString& code, const QColor& colour) {
  form_.showColour(form_.fontColorEdit(), code, colour);
}

void ColorSpyOpener::useAsBackgroundColour(const QString& code, const QColor& colour) {
  form_.showColour(form_.backgroundColorEdit(), code, colour);
}

}  // namespace huevox
