#pragma once
class QString;
class QWidget;

namespace huevox {

// A message titled "Huevox" that does not hold up the caller: the box stays
// until the user closes it, and deletes itself then.
void TellUser(QWidget* parent, const QString& text);

}  // namespace huevox
