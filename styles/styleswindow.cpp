#include "styles/styleswindow.h"

#include <QCheckBox>
#include <QToolButton>

#include "ui/fonts.h"
#include "ui/picturebutton.h"
#include "ui/twips.h"
#include "ui/windowdrag.h"
#include "ui/windowutil.h"

namespace huevox {

StylesWindow::StylesWindow()
    : FramedWindow(QSize(Px(3195), Px(1800))), dragger_(new WindowDragger(this)) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Styles"));
  setFont(WindowFont());

  static constexpr QPoint kPlaces[kStyleBoxCount] = {{120, 120},  {120, 480},  {120, 840},
                                                      {120, 1200}, {1680, 120}, {1680, 480},
                                                      {1680, 840}};
  for (int box = 1; box <= kStyleBoxCount; ++box) {
    auto* check = new QCheckBox(QStringLiteral("Style %1").arg(box), clientArea());
    check->setObjectName(QStringLiteral("Check%1").arg(box));
    const QPoint at = kPlaces[box - 1];
    check->setGeometry(TwipsRect(at.x(), at.y(), 1335, 375));
    // Each caption is drawn in the style it stands for.
    const StyleLook look = LookOfCode(StyleCodeOfBox(box));
    QFont font = look.bold ? BoldWindowFont() : WindowFont();
    font.setUnderline(look.underline);
    font.setItalic(look.italic);
    check->setFont(font);
    connect(check, &QCheckBox::clicked, this, [this, box] { keepOnlyThisBox(box); });
    boxes_[box - 1] = check;
  }

  QToolButton* putAwayButton = MakePictureButton(clientArea(), "Picture4",
                                                 TwipsRect(2520, 1200, 495, 495),
                                                 QStringLiteral(":/icons/save"),
                                                 QStringLiteral("Save"));
  connect(putAwayButton, &QToolButton::clicked, this, &StylesWindow::putAway);

  for (int box = 1; box < 6; ++box) setTabOrder(boxes_[box - 1], boxes_[box]);
  setTabOrder(boxes_[5], putAwayButton);
  setTabOrder(putAwayButton, boxes_[6]);

  // Any press on the background keeps the window above all others.
  connect(dragger_, &WindowDragger::pressed, this, [this] { StayOnTop(this); });
  dragger_->watch(clientArea());
}

int StylesWindow::styleCode() const {
  std::array<bool, kStyleBoxCount> checked{};
  for (int i = 0; i < kStyleBoxCount; ++i) checked[i] = boxes_[i]->isChecked();
  return StyleCodeFromBoxes(checked);
}

void StylesWindow::showStyleCode(int code) {
  if (const auto box = StyleBoxForCode(code)) {
    styleBox(*box)->setChecked(true);
    keepOnlyThisBox(*box);
  }
}

void StylesWindow::keepOnlyThisBox(int box) {
  // setChecked emits no clicked(), so a cleared box runs no handling of its own.
  for (int other = 1; other <= kStyleBoxCount; ++other) {
    if (other != box) styleBox(other)->setChecked(false);
  }
}

void StylesWindow::putAway() { hide(); }

}  // namespace huevox
