#include "settings/colourchoice.h"

#include <QColorDialog>
#include <QLineEdit>

#include "ui/mainform.h"
#include "settings/hexcode.h"

namespace huevox {

ColourChoice::ColourChoice(MainForm& form, QObject* parent) : QObject(parent), form_(form) {}

void ColourChoice::chooseFontColour() { chooseInto(form_.fontColorEdit()); }

void ColourChoice::chooseBackgroundColour() { chooseInto(form_.backgroundColorEdit()); }

void ColourChoice::chooseInto(QLineEdit* box) {
  QColorDialog dialog(colour_, form_.formWindow());
  dialog.setObjectName(QStringLiteral("CommonDialog1"));
  dialog.setWindowTitle(QStringLiteral("Color"));
  // Cancel leaves the box as it was.
  if (dialog.exec() != QDialog::Accepted) return;
  colour_ = dialog.selectedColor();
  const ColorValue value = ColorValueFromRgb(colour_.red(), colour_.green(), colour_.blue());
  form_.showColour(box, QString::fromStdString(HexCodeFromColorValue(value)), colour_);
}

}  // namespace huevox
