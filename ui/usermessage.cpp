#include "ui/usermessage.h"

namespace huevox {

QString ShownName(const QString& name) {
  constexpr int kLongest = 60;
  if (name.size() <= kLongest) return name;
  int head = kLongest / 2, tail = name.size() - (kLongest - head - 1);
  // Never half a character outside the basic plane.
  if (name.at(head).isLowSurrogate()) --head;
  if (name.at(tail).isLowSurrogate()) ++tail;
  return name.left(head) + QChar(0x2026) + name.mid(tail);
}

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
