#pragma once
// Finding another program's dialog by its title and pressing its first button:
// the one thing Qt cannot do. One backend per platform, picked at build time.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace huevox::platform {

using WindowId = std::uintptr_t;  // 0 stands for no window

class DialogAutomation {
 public:
  virtual ~DialogAutomation() = default;

  // Empty when the backend can work here; otherwise a sentence for the user
  // saying why not (a Wayland session, no X server, ...).
  virtual std::string Unavailable() const = 0;

  // A top-level dialog of another program whose title is exactly `title`
  // (UTF-8), or 0 when there is none.
  virtual WindowId FindDialog(std::string_view title) = 0;

  // Presses the dialog's first button: the space key going down and up.
  // False when the dialog or its button is not there.
  virtual bool PressFirstButton(WindowId dialog) = 0;
};

// The backend for the platform this build was made for.
std::unique_ptr<DialogAutomation> CreateDialogAutomation();

// Used where no backend fits: finds nothing, presses nothing, says why.
class NullDialogAutomation final : public DialogAutomation {
 public:
  explicit NullDialogAutomation(std::string reason) : reason_(std::move(reason)) {}
  std::string Unavailable() const override { return reason_; }
  WindowId FindDialog(std::string_view) override { return 0; }
  bool PressFirstButton(WindowId) override { return false; }

 private:
  std::string reason_;
};

}  // namespace huevox::platform
