#pragma once
// The two previews: the current setting, or the selected preset's, as a
// one-line page opened in the user's browser.

#include <QObject>
#include <QString>


namespace huevox {

class MainForm;

class Preview : public QObject {
  Q_OBJECT
 public:
  Preview(MainForm& form, QObject* parent);

  // The folder the page goes to; the per-user cache folder unless set.
  void setFolder(const QString& folder) { folder_ = folder; }
  QString pagePath() const;

 public slots:
  void previewCurrentSetting();
  // Loads the preset's colours, face and size into the fields first (its style
  // and the fields' text colours stay); says so when there is none to preview.
  void previewSelectedPreset();

 signals:
  // After each preview: whether the page was written and opened.
  void previewed(bool opened);

 private:
  MainForm& form_;
  QString folder_;
};

}  // namespace huevox
