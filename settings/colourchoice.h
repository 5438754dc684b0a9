#pragma once
// The font and background colour buttons: one colour dialog for both, which
// starts from the colour last confirmed in either.
#include <QColor>
#include <QObject>

class QLineEdit;

namespace huevox {

class MainForm;

class ColourChoice : public QObject {
  Q_OBJECT
 public:
  ColourChoice(MainForm& form, QObject* parent);

 public slots:
  void chooseFontColour();
  void chooseBackgroundColour();

 private:
  void chooseInto(QLineEdit* box);

  MainForm& form_;
  QColor colour_ = Qt::black;  // what the dialog opens with
};

}  // namespace huevox
