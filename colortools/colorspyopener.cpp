#include "colortools/colorspyopener.h"

#include "app/mainwindow.h"
#include "app/windowutil.h"
#include "colortools/colorspywindow.h"

namespace huevox {

ColorSpyOpener::ColorSpyOpener(MainWindow& main) : QObject(&main), main_(main) {}

ColorSpyOpener::~ColorSpyOpener() = default;

void ColorSpyOpener::openColorSpy() {
  if (!window_) {
    window_ = std::make_unique<ColorSpyWindow>();
    connect(window_.get(), &ColorSpyWindow::fontColourChosen, this, &ColorSpyOpener::useAsFontColour);
    connect(window_.get(), &ColorSpyWindow::backgroundColourChosen, this, &ColorSpyOpener::useAsBackgroundColour);
  }
  ShowClearOf(window_.get(), &main_);
}

void ColorSpyOpener::useAsFontColour(const QString& code, const QColor& colour) {
  main_.showColour(main_.fontColorEdit(), code, colour);
}

void ColorSpyOpener::useAsBackgroundColour(const QString& code, const QColor& colour) {
  main_.showColour(main_.backgroundColorEdit(), code, colour);
}

}  // namespace huevox
