// Windows: the messenger's dialogs are standard dialog boxes (class "#32770").
// Their first "Button" child gets the space key going down and up, posted, so
// it is pressed as by the user and this program never waits on the messenger.
// Only windows.h and the standard library: this builds and is tested on its
// own with a cross-compiler.
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogautomation.h"

#include <windows.h>

namespace huevox::platform {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kButtonClass[] = "Button";

std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);
  return wide;
}

// The title in the ANSI code page, for FindWindowA; nothing when the code page
// cannot spell it: no window of an ANSI program can carry such a title.
std::optional<std::string> AnsiText(const std::wstring& wide) {
  if (GetACP() == CP_UTF8) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
  }
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                    static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      out.data(), n, nullptr, nullptr);
  return out;
}

// Another process's title is read from the window manager's copy: this sends
// the window no message, so a hung messenger cannot hang us.
std::wstring TitleOf(HWND window) {
  std::wstring title(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int n = GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
  title.resize(static_cast<size_t>(n > 0 ? n : 0));
  return title;
}

class Win32DialogAutomation final : public DialogAutomation {
 public:
  std::string Unavailable() const override { return {}; }

  std::vector<WindowId> FindDialogs(std::string_view title) override {
    const std::wstring wanted = Utf16(title);
    if (wanted.empty()) return {};
    const std::optional<std::string> ansi = AnsiText(wanted);
    if (!ansi) return {};
    // FindWindowA ignores case, and would also find our own message boxes and
    // dialogs not yet shown; walk on through all the matches.
    std::vector<WindowId> found;
    for (HWND w = FindWindowA(kDialogClass, ansi->c_str()); w;
         w = FindWindowExA(nullptr, w, kDialogClass, ansi->c_str())) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (process == GetCurrentProcessId()) continue;
      if (!IsWindowVisible(w) || TitleOf(w) != wanted) continue;
      found.push_back(reinterpret_cast<WindowId>(w));
    }
    return found;
  }

  bool PressFirstButton(WindowId dialog) override {
    const HWND window = reinterpret_cast<HWND>(dialog);
    if (!window || !IsWindow(window)) return false;
    const HWND button = FindWindowExA(window, nullptr, kButtonClass, nullptr);
    if (!button) return false;
    const bool down = PostMessageA(button, WM_KEYDOWN, VK_SPACE, 0) != FALSE;
    const bool up = PostMessageA(button, WM_KEYUP, VK_SPACE, 0) != FALSE;
    return down && up;
  }
};

}  // namespace

// Posted messages need no waiting here.
std::unique_ptr<DialogAutomation> CreateDialogAutomation(Wait) {
  return std::make_unique<Win32DialogAutomation>();
}

}  // namespace huevox::platform
