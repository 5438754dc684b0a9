#pragma once
// The two previews: the current setting, or the selected preset's, as a
// one-line page opened in the user's browser.
#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QWidget;

namespace huevox {

// The main window's four text boxes of the current setting.
struct FontFields {
  QPointer<QLineEdit> fontColor;        // Text2
  QPointer<QLineEdit> backgroundColor;  // Text3
  QPointer<QLineEdit> face;             // Text4
  QPointer<QLineEdit> size;             // Text5
};

class Preview : public QObject {
  Q_OBJECT
 public:
  // selectedPresetPath gives the full path of the selected preset file, or
  // empty when none is selected. Messages go on top of messageParent.
  Preview(FontFields fields, std::function<QString()> selectedPresetPath, QWidget* messageParent,
          QObject* parent = nullptr);

  // The folder the page goes to; the per-user cache folder unless set.
  void setFolder(const QString& folder) { folder_ = folder; }
  QString pagePath() const;

 public slots:
  void previewCurrentSetting();
  // Loads the preset's colours, face and size into the fields first (its style
  // and the fields' text colours stay); does nothing when none is selected.
  void previewSelectedPreset();

 signals:
  // After each preview: whether the page was written and opened.
  void previewed(bool opened);

 private:
  FontFields fields_;
  std::function<QString()> selectedPresetPath_;
  QPointer<QWidget> messageParent_;
  QString folder_;
};

}  // namespace huevox
