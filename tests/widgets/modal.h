#pragma once
// Answers modal dialogs from the test: a dialog's exec() runs its own loop,
// so the answer comes from a timer that ticks inside it.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace modal {

// Calls answer with the next visible modal dialog of type T, unless owner
// goes first (a row that expects no dialog ends the watch with its owner).
template <class T>
void whenShown(std::function<void(T*)> answer, QObject* owner = qApp) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll->deleteLater();
    poll->stop();
    answer(dialog);
  });
  poll->start(10);
}

struct Message { QString title, text; QMessageBox::Icon icon = QMessageBox::NoIcon; };

// Notes the next message box and closes it with OK.
inline void recordMessage(Message* into, QObject* owner = qApp) {
  whenShown<QMessageBox>(
      [into](QMessageBox* box) {
        *into = {box->windowTitle(), box->text(), box->icon()};
        box->accept();
      },
      owner);
}

}  // namespace modal
