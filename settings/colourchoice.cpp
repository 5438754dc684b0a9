#include "settings/colourchoice.h"

#include <QColorDialog>
#include <QLineEdit>

#include "app/mainwindow.h"
#include "settings/hexcode.h"

namespace huevox {

ColourChoice::ColourChoice(MainWindow* mainWindow) : QObject(mainWindow), mainWindow_(mainWindow) {}

void ColourChoice::chooseFontColour() { chooseInto(mainWindow_->fontColorEdit()); }

void ColourChoice::chooseBackgroundColour() { chooseInto(mainWindow_->backgroundColorEdit()); }

void ColourChoice::chooseInto(QLineEdit* box) {
  QColorDialog dialog(colour_, mainWindow_);
  dialog.setObjectName(QStringLiteral("CommonDialog1"));
  dialog.setWindowTitle(QStringLiteral("Color"));
  // Cancel leaves the box as it was.
  if (dialog.exec() != QDialog::Accepted) return;
  colour_ = dialog.selectedColor();
  const ColorValue value = ColorValueFromRgb(colour_.red(), colour_.green(), colour_.blue());
  mainWindow_->showColour(box, QString::fromStdString(HexCodeFromColorValue(value)), colour_);
}

}  // namespace huevox
