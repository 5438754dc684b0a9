#include "ui/picturebutton.h"

#include "ui/artwork.h"

#include <QToolButton>

namespace huevox {

QToolButton* MakePictureButton(QWidget* parent, const char* objectName, const QRect& geometry,
                               const QString& iconPath, const QString& tooltip,
                               const QString& accessibleName) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setGeometry(geometry);
  button->setAutoRaise(true);
  button->setIcon(ArtworkIcon(iconPath));
  const int side = std::min({32, geometry.width(), geometry.height()});
  button->setIconSize(QSize(side, side));
  button->setToolTip(tooltip);
  button->setAccessibleName(tooltip.isEmpty() ? accessibleName : tooltip);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace huevox
