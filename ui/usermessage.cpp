#include "ui/usermessage.h"

#include <QMessageBox>

namespace huevox {

void TellUser(QWidget* parent, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Huevox"), text,
                              QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setObjectName(QStringLiteral("huevoxMessage"));
  box->show();
}

}  // namespace huevox
