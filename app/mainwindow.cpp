#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include "ui/artwork.h"
#include "ui/clickarea.h"
#include "ui/fonts.h"
#include "ui/picturebutton.h"
#include "ui/twips.h"
#include "ui/windowdrag.h"
#include "ui/windowutil.h"
#include "output/messengerupdate.h"
#include "platform/userdatafolder.h"
#include "output/preview.h"
#include "colortools/colorspyopener.h"
#include "settings/colourchoice.h"
#include "settings/presetactions.h"
#include "settings/presetfolder.h"
#include "styles/styleswindow.h"

namespace huevox {
namespace {

constexpr int kClientWidthTwips = 3255;
constexpr int kFrameTwips = FramedWindow::kFramePx * kTwipsPerPixel;

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  // Captions hang from the label's top, whatever its height, so headings of
  // different heights line up.
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& geometry,
                       const QString& text, int maxLength = 32767) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(geometry);
  edit->setMaxLength(maxLength);
  edit->setText(text);
  return edit;
}

}  // namespace

MainWindow::MainWindow(QString presetsFolder)
    : FramedWindow(QSize(Px(kClientWidthTwips), Px(kCompactHeightTwips - 2 * kFrameTwips))),
      presetsFolder_(std::move(presetsFolder)),
      dragger_(new WindowDragger(this)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Huevox"));
  setWindowIcon(ArtworkIcon(QStringLiteral(":/icons/huevox")));
  setFont(WindowFont());

  buildTitleStrip();
  buildSettingFields();
  buildButtons();
  buildPresetsPanel();
  connectFeatures();
  dragger_->watch(clientArea());

  // The client area's top-left corner sits at a fixed place on the screen.
  const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
  move(origin + QPoint(Px(5535 - kFrameTwips), Px(4065 - kFrameTwips)));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTitleStrip() {
  QWidget* client = clientArea();
  auto* strip = new QWidget(client);
  strip->setObjectName(QStringLiteral("Picture2"));
  strip->setGeometry(TwipsRect(0, 0, 3255, 255));
  strip->setAutoFillBackground(true);
  QPalette stripPalette = strip->palette();
  stripPalette.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
  stripPalette.setColor(QPalette::WindowText,
                        palette().color(QPalette::Active, QPalette::HighlightedText));
  strip->setPalette(stripPalette);

  QLabel* title = MakeLabel(client, "Label6", TwipsRect(0, 0, 3255, 255),
                            QStringLiteral(" -               Huevox by Pelmo                x"));
  title->setPalette(stripPalette);

  auto* minimiseMark = new ClickArea(client);
  minimiseMark->setObjectName(QStringLiteral("Label7"));
  minimiseMark->setGeometry(TwipsRect(0, 0, 135, 255));
  minimiseMark->setAccessibleName(QStringLiteral("Minimise"));
  connect(minimiseMark, &ClickArea::clicked, this, &MainWindow::minimise);

  auto* dragArea = new QLabel(client);
  dragArea->setObjectName(QStringLiteral("Label9"));
  dragArea->setGeometry(TwipsRect(240, 0, 2655, 255));
  dragger_->watch(dragArea);

  auto* exitMark = new ClickArea(client);
  exitMark->setObjectName(QStringLiteral("Label8"));
  exitMark->setGeometry(TwipsRect(2880, 0, 375, 375));
  exitMark->setAccessibleName(QStringLiteral("Exit"));
  connect(exitMark, &ClickArea::clicked, this, &MainWindow::exitProgram);
}

void MainWindow::buildSettingFields() {
  QWidget* client = clientArea();
  MakeLabel(client, "Label1", TwipsRect(0, 360, 1455, 255), QStringLiteral("Font Hex"));
  fontColorEdit_ = MakeTextBox(client, "Text2", TwipsRect(0, 600, 1095, 285),
                               QStringLiteral("000000"), 6);
  MakeLabel(client, "Label2", TwipsRect(1680, 360, 1695, 375), QStringLiteral("BG Hex"));
  backgroundColorEdit_ = MakeTextBox(client, "Text3", TwipsRect(1680, 600, 1095, 285),
                                     QStringLiteral("FFFFFF"), 6);
  MakeLabel(client, "Label3", TwipsRect(0, 1080, 1575, 375), QStringLiteral("Font Name"));
  fontFaceEdit_ = MakeTextBox(client, "Text4", TwipsRect(0, 1320, 1575, 285),
                              QStringLiteral("Tahoma"));
  MakeLabel(client, "Label4", TwipsRect(1800, 1080, 1335, 255), QStringLiteral("Font Size"));
  fontSizeEdit_ = MakeTextBox(client, "Text5", TwipsRect(1800, 1320, 1335, 285),
                              QStringLiteral("8"));
}

void MainWindow::buildButtons() {
  QWidget* client = clientArea();
  auto* options = new QGroupBox(QStringLiteral("Options"), client);
  options->setObjectName(QStringLiteral("Frame1"));
  options->setGeometry(TwipsRect(0, 1680, 3255, 870));

  struct Button {
    int number;
    QRect geometry;
    const char* icon;
    const char* tooltip;
    const char* accessibleName;
  };
  const Button buttons[] = {
      {1, TwipsRect(1200, 360, 255, 495), "fontcolour", "", "Choose font colour"},
      {3, TwipsRect(2880, 360, 255, 495), "backgroundcolour", "", "Choose background colour"},
      {7, TwipsRect(120, 1920, 495, 495), "presets", "Presets", ""},
      {6, TwipsRect(600, 1920, 615, 495), "updateaim", "Update Aim", ""},
      {5, TwipsRect(1200, 1920, 495, 495), "preview", "Preview Style", ""},
      {4, TwipsRect(1680, 1920, 495, 495), "save", "Save", ""},
      {9, TwipsRect(2160, 1920, 495, 495), "styles", "Styles", ""},
      {12, TwipsRect(2690, 1920, 495, 495), "colorspy", "Color spy", ""},
  };
  for (const Button& b : buttons) {
    const QByteArray name = "Picture" + QByteArray::number(b.number);
    buttons_.push_back(MakePictureButton(client, name.constData(), b.geometry,
                                         QStringLiteral(":/icons/%1").arg(b.icon),
                                         QString::fromLatin1(b.tooltip),
                                         QString::fromLatin1(b.accessibleName)));
  }
  connect(pictureButton(7), &QToolButton::clicked, this, &MainWindow::togglePresetsPanel);
  connect(pictureButton(9), &QToolButton::clicked, this, &MainWindow::openStylesWindow);

  auto* contact = MakeLabel(client, "Label10", TwipsRect(0, 2520, 3255, 255),
                            QStringLiteral("Contact: (AIM:ZANDERQUILL)"));
  contact->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void MainWindow::buildPresetsPanel() {
  QWidget* client = clientArea();
  auto* line = new QFrame(client);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(QRect(QPoint(Px(120), Px(2760) - 1), QPoint(Px(3120), Px(2760) + 1)));

  MakeLabel(client, "Label5", TwipsRect(120, 2880, 1695, 255), QStringLiteral("Presets"));
  presetList_ = new QListWidget(client);
  presetList_->setObjectName(QStringLiteral("List2"));
  presetList_->setGeometry(TwipsRect(120, 3120, 1695, 1230));
  presetList_->setSortingEnabled(false);
  // Where the presets are may be beside the program or in the user's data folder.
  presetList_->setToolTip(
      QStringLiteral("Presets in %1").arg(QDir::toNativeSeparators(presetsFolder_)));
  connect(presetList_, &QListWidget::currentRowChanged, this, &MainWindow::selectPresetFile);

  buttons_.push_back(MakePictureButton(client, "Picture11", TwipsRect(2280, 3120, 615, 495),
                                       QStringLiteral(":/icons/load"),
                                       QStringLiteral("Load")));
  buttons_.push_back(MakePictureButton(client, "Picture10", TwipsRect(2280, 3720, 615, 495),
                                       QStringLiteral(":/icons/previewpreset"),
                                       QStringLiteral("Preview")));
}

// Each feature is a small object of its own; the buttons lead to its slots.
void MainWindow::connectFeatures() {
  // Colours
  colourChoice_ = new ColourChoice(*this, this);
  connect(pictureButton(1), &QToolButton::clicked, colourChoice_, &ColourChoice::chooseFontColour);
  connect(pictureButton(3), &QToolButton::clicked, colourChoice_,
          &ColourChoice::chooseBackgroundColour);

  // Presets
  presetActions_ = new PresetActions(*this, this);
  connect(pictureButton(4), &QToolButton::clicked, presetActions_, &PresetActions::savePreset);
  connect(pictureButton(11), &QToolButton::clicked, presetActions_,
          &PresetActions::loadSelectedPreset);

  // Browser preview and messenger update
  preview_ = new Preview(*this, this);
  messengerUpdate_ = new MessengerUpdate(*this, nullptr, this);
  connect(pictureButton(5), &QToolButton::clicked, preview_, &Preview::previewCurrentSetting);
  connect(pictureButton(10), &QToolButton::clicked, preview_, &Preview::previewSelectedPreset);
  connect(pictureButton(6), &QToolButton::clicked, messengerUpdate_,
          &MessengerUpdate::updateMessenger);

  // Color spy: its colours land in Text2 and Text3
  colorSpy_ = new ColorSpyOpener(*this, this);
  connect(pictureButton(12), &QToolButton::clicked, colorSpy_, &ColorSpyOpener::openColorSpy);
}

QToolButton* MainWindow::pictureButton(int number) const {
  const QString name = QStringLiteral("Picture%1").arg(number);
  for (QToolButton* button : buttons_) {
    if (button->objectName() == name) return button;
  }
  return nullptr;
}

FontSetting MainWindow::currentSetting() {
  FontSetting setting;
  setting.fontColor = fontColorEdit_->text().toStdString();
  setting.backgroundColor = backgroundColorEdit_->text().toStdString();
  setting.face = fontFaceEdit_->text().toStdString();
  setting.size = fontSizeEdit_->text().toStdString();
  setting.style = stylesWindow()->styleCode();
  return setting;
}

void MainWindow::showColour(QLineEdit* box, const QString& code, const QColor& colour) {
  box->setText(code);
  QPalette pal = box->palette();
  pal.setColor(QPalette::Text, colour);
  box->setPalette(pal);
}

QString MainWindow::selectedPresetPath() const {
  if (selectedPresetRow_ < 0 || selectedPresetRow_ >= presetFiles_.size()) return {};
  return QDir(presetsFolder_).filePath(presetFiles_.at(selectedPresetRow_));
}

void MainWindow::refreshPresetList() {
  presetList_->clear();
  presetFiles_.clear();
  for (const std::string& name : ListPresetFiles(presetsFolder_.toStdString())) {
    presetFiles_ << QString::fromStdString(name);
    presetList_->addItem(QString::fromStdString(PresetDisplayName(name)));
  }
  // Selecting runs the same handling as a user's click; an empty list selects nothing.
  if (presetList_->count() > 0) presetList_->setCurrentRow(0);
}

void MainWindow::selectPresetFile(int row) { selectedPresetRow_ = row; }

StylesWindow* MainWindow::stylesWindow() {
  if (!stylesWindow_) stylesWindow_ = std::make_unique<StylesWindow>();
  return stylesWindow_.get();
}

int MainWindow::heightTwips() const { return height() * kTwipsPerPixel; }

void MainWindow::minimise() { showMinimized(); }

void MainWindow::exitProgram() {
  hide();
  stylesWindow_.reset();
  emit exitRequested();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  exitProgram();
}

void MainWindow::togglePresetsPanel() {
  const int target =
      heightTwips() == kCompactHeightTwips ? kExpandedHeightTwips : kCompactHeightTwips;
  setFixedSize(width(), Px(target));
}

void MainWindow::showStyleCode(int code) { stylesWindow()->showStyleCode(code); }

void MainWindow::openStylesWindow() { ShowClearOf(stylesWindow(), this); }

}  // namespace huevox
