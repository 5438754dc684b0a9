#include "ui/usermessage.h"

namespace huevox {

void TellUser(QWidget* parent, const QString& text, QMessageBox::Icon icon, MessageWait wait) {
  if (wait == MessageWait::ForOk) {
    QMessageBox(icon, QStringLiteral("Huevox"), text, QMessageBox::Ok, parent).exec();
    return;
  }
  auto* box = new QMessageBox(icon, QStringLiteral("Huevox"), text, QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setObjectName(QStringLiteral("huevoxMessage"));
  box->show();
}

}  // namespace huevox
