#pragma once
#include <QString>

class QRect;
class QToolButton;
class QWidget;

namespace huevox {

// A flat button showing an icon, placed in twips. Its tooltip, when it has
// one, is also its accessible name.
QToolButton* MakePictureButton(QWidget* parent, const char* objectName, const QRect& geometry,
                               const QString& iconPath, const QString& tooltip,
                               const QString& accessibleName = {});

}  // namespace huevox
