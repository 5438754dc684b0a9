#pragma once
// Form2: seven style boxes that behave as a group, and a button that puts the
// window away. Moved by dragging its background.
#include <array>

#include "ui/framedwindow.h"
#include "styles/stylecode.h"

class QCheckBox;
class QToolButton;

namespace huevox {

class WindowDragger;

class StylesWindow : public FramedWindow {
  Q_OBJECT
 public:
  StylesWindow();

  // Box 1..7 (Check1..Check7).
  QCheckBox* styleBox(int box) const { return boxes_[box - 1]; }
  // The first checked box decides; none checked gives 0.
  int styleCode() const;
  // Shows a code by checking its box, as a click would; a code without a box
  // changes nothing.
  void showStyleCode(int code);
  WindowDragger* dragger() const { return dragger_; }

 private slots:
  void keepOnlyThisBox(int box);
  void putAway();

 private:
  std::array<QCheckBox*, kStyleBoxCount> boxes_{};
  WindowDragger* dragger_;
};

}  // namespace huevox
