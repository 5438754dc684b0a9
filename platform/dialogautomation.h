#pragma once
// Finding another program's dialog by its title and pressing its first button:
// the one thing Qt cannot do. One backend per platform, picked at build time.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace huevox::platform {

using WindowId = std::uintptr_t;  // 0 stands for no window

class DialogAutomation {
 public:
  virtual ~DialogAutomation() = default;

  // Empty when the backend can work here; otherwise a sentence for the user
  // saying why not (a Wayland session, no X server, ...).
  virtual std::string Unavailable() const = 0;

  // The top-level dialogs of other programs whose title is exactly `title`
  // (UTF-8), the likeliest first; empty when there are none.
  virtual std::vector<WindowId> FindDialogs(std::string_view title) = 0;

  // Presses the dialog's first button: the space key going down and up.
  // False when the dialog or its button is not there.
  virtual bool PressFirstButton(WindowId dialog) = 0;

  // The likeliest such dialog that is not one of `ignored`, or 0.
  WindowId FindDialog(std::string_view title, const std::vector<WindowId>& ignored = {}) {
    for (WindowId w : FindDialogs(title)) {
      if (std::find(ignored.begin(), ignored.end(), w) == ignored.end()) return w;
    }
    return 0;
  }
};

// How a backend waits (for the focus to arrive, say): the caller's own wait,
// which may keep its user interface running. Without one it sleeps.
using Wait = std::function<void(double seconds)>;

// The backend for the platform this build was made for.
std::unique_ptr<DialogAutomation> CreateDialogAutomation(Wait wait = nullptr);

// Used where no backend fits: finds nothing, presses nothing, says why.
class NullDialogAutomation final : public DialogAutomation {
 public:
  explicit NullDialogAutomation(std::string reason) : reason_(std::move(reason)) {}
  std::string Unavailable() const override { return reason_; }
  std::vector<WindowId> FindDialogs(std::string_view) override { return {}; }
  bool PressFirstButton(WindowId) override { return false; }

 private:
  std::string reason_;
};

}  // namespace huevox::platform
