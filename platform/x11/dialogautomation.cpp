// Finding and pressing another program's dialog on X11, through Qt's own xcb
// connection. Every request is checked on its own: windows come and go while
// the tree is walked, and an error for one of them must not end anything.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWindow>
#include <xcb/xcb.h>

#include "platform/dialogautomation.h"
#include "platform/session.h"
#include "platform/x11/xcbreply.h"

namespace huevox::platform {
namespace {

constexpr std::uint32_t kSpaceKeysym = 0x0020;  // XK_space
// Client windows sit this deep below a window manager's frames at most.
constexpr int kFrameDepth = 3;
constexpr double kFocusPollSeconds = 0.02;
constexpr int kFocusByWmMs = 1500;
constexpr int kFocusDirectMs = 1000;
constexpr std::uint32_t kAllDesktops = 0xFFFFFFFF;
// The source of a request to the window manager: a pager-like tool, whose
// requests are honoured at once.
constexpr std::uint32_t kFromPager = 2;

bool Check(xcb_connection_t* c, xcb_void_cookie_t cookie) {
  xcb_generic_error_t* error = xcb_request_check(c, cookie);
  std::free(error);
  return error == nullptr;
}

std::string Latin1ToUtf8(const char* data, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

class X11DialogAutomation final : public DialogAutomation {
 public:
  X11DialogAutomation(xcb_connection_t* c, Wait wait) : c_(c), wait_(std::move(wait)) {
    if (!wait_) {
      wait_ = [](double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
      };
    }
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c_)); it.rem; xcb_screen_next(&it))
      roots_.push_back(it.data->root);
    const char* names[] = {"_NET_WM_NAME", "UTF8_STRING", "_NET_WM_WINDOW_TYPE",
                           "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_SUPPORTING_WM_CHECK",
                           "_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST", "_NET_CURRENT_DESKTOP",
                           "_NET_WM_DESKTOP"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i)
      cookies[i] = xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(names[i])), names[i]);
    xcb_atom_t* atoms[] = {&netWmName_,    &utf8String_,   &windowType_, &typeDialog_,
                           &supportingWm_, &activeWindow_, &clientList_, &currentDesktop_,
                           &wmDesktop_};
    for (size_t i = 0; i < std::size(names); ++i) {
      auto reply = Take<xcb_intern_atom_reply_t>(c_, cookies[i], xcb_intern_atom_reply);
      *atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
  }

  std::string Unavailable() const override { return {}; }

  std::vector<WindowId> FindDialogs(std::string_view title) override {
    const std::set<xcb_window_t> own = OwnWindows();
    std::vector<xcb_window_t> managed, walked;
    for (xcb_window_t root : roots_) {
      if (WindowManagerRuns(root)) {
        // The manager's list holds every client however deep its frames, on
        // every workspace (where the manager may have unmapped it); newest first.
        std::vector<xcb_window_t> clients = Atoms(root, clientList_, XCB_ATOM_WINDOW, 4096);
        managed.insert(managed.end(), clients.rbegin(), clients.rend());
        continue;
      }
      // Topmost first, each top-level followed by the clients inside it.
      std::vector<xcb_window_t> level = Children({root});
      std::reverse(level.begin(), level.end());
      walked.insert(walked.end(), level.begin(), level.end());
      for (int depth = 1; depth < kFrameDepth && !level.empty(); ++depth) {
        level = Children(level);
        walked.insert(walked.end(), level.begin(), level.end());
      }
    }
    std::vector<xcb_window_t> candidates = managed;
    candidates.insert(candidates.end(), walked.begin(), walked.end());
    std::erase_if(candidates, [&](xcb_window_t w) { return own.count(w) != 0; });

    std::vector<WindowId> dialogs, others;
    for (xcb_window_t w : WithTitle(candidates, title)) {
      // Without a manager, an unmapped window is nobody's dialog on screen.
      const bool isManaged = std::find(managed.begin(), managed.end(), w) != managed.end();
      if (!isManaged && !IsViewable(w)) continue;
      (LooksLikeDialog(w) ? dialogs : others).push_back(w);
    }
    dialogs.insert(dialogs.end(), others.begin(), others.end());
    return dialogs;
  }

  bool PressFirstButton(WindowId id) override {
    const auto dialog = static_cast<xcb_window_t>(id);
    if (dialog == XCB_WINDOW_NONE || !(IsViewable(dialog) || IsManaged(dialog))) return false;
    // The toolkit gives a key to the window it believes has the focus, and the
    // dialog's focused button is its first one.
    if (!Focus(dialog)) return false;
    const xcb_keycode_t space = SpaceKeycode();
    if (space == 0) return false;
    const bool down = SendKey(dialog, XCB_KEY_PRESS, space);
    const bool up = SendKey(dialog, XCB_KEY_RELEASE, space);
    xcb_flush(c_);
    return down && up;
  }

 private:
  // Huevox's own windows, which are never the messenger's.
  static std::set<xcb_window_t> OwnWindows() {
    std::set<xcb_window_t> own;
    for (QWindow* w : QGuiApplication::allWindows()) {
      if (w->handle()) own.insert(static_cast<xcb_window_t>(w->winId()));
    }
    return own;
  }

  std::vector<xcb_window_t> Children(const std::vector<xcb_window_t>& parents) {
    std::vector<xcb_query_tree_cookie_t> cookies;
    for (xcb_window_t p : parents) cookies.push_back(xcb_query_tree(c_, p));
    std::vector<xcb_window_t> children;
    for (auto cookie : cookies) {
      auto reply = Take<xcb_query_tree_reply_t>(c_, cookie, xcb_query_tree_reply);
      if (!reply) continue;  // gone meanwhile
      const xcb_window_t* list = xcb_query_tree_children(reply.get());
      children.insert(children.end(), list, list + xcb_query_tree_children_length(reply.get()));
    }
    return children;
  }

  std::optional<std::string> Title(xcb_get_property_reply_t* reply, bool utf8) {
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8) return std::nullopt;
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
    const int length = xcb_get_property_value_length(reply);
    if (utf8 || reply->type == utf8String_) return std::string(data, static_cast<size_t>(length));
    return Latin1ToUtf8(data, length);
  }

  // _NET_WM_NAME when set, else WM_NAME; the match is exact, case included.
  std::vector<xcb_window_t> WithTitle(const std::vector<xcb_window_t>& windows,
                                      std::string_view title) {
    constexpr uint32_t kMaxLength = 1024;  // in 32-bit units
    std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
    for (xcb_window_t w : windows) {
      cookies.emplace_back(
          xcb_get_property(c_, 0, w, netWmName_, utf8String_, 0, kMaxLength),
          xcb_get_property(c_, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxLength));
    }
    std::vector<xcb_window_t> matches;
    for (size_t i = 0; i < windows.size(); ++i) {
      auto net = Take<xcb_get_property_reply_t>(c_, cookies[i].first, xcb_get_property_reply);
      auto plain = Take<xcb_get_property_reply_t>(c_, cookies[i].second, xcb_get_property_reply);
      std::optional<std::string> name = Title(net.get(), true);
      if (!name) name = Title(plain.get(), false);
      if (name && *name == title) matches.push_back(windows[i]);
    }
    return matches;
  }

  bool IsViewable(xcb_window_t w) {
    auto attributes = Take<xcb_get_window_attributes_reply_t>(
        c_, xcb_get_window_attributes(c_, w), xcb_get_window_attributes_reply);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  }

  std::vector<xcb_atom_t> Atoms(xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                                uint32_t longs = 64) {
    auto reply = Take<xcb_get_property_reply_t>(
        c_, xcb_get_property(c_, 0, w, property, type, 0, longs), xcb_get_property_reply);
    if (!reply || reply->format != 32) return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    std::vector<xcb_atom_t> values;
    for (int i = 0, n = xcb_get_property_value_length(reply.get()) / 4; i < n; ++i)
      values.push_back(data[i]);
    return values;
  }

  // Typed as a dialog or transient for another window. Not required: Wine's
  // message boxes are plain top-level windows.
  bool LooksLikeDialog(xcb_window_t w) {
    const auto types = Atoms(w, windowType_, XCB_ATOM_ATOM);
    if (std::find(types.begin(), types.end(), typeDialog_) != types.end()) return true;
    return !Atoms(w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW).empty();
  }

  // A window manager runs when the root names a check window naming itself.
  bool WindowManagerRuns(xcb_window_t root) {
    const auto check = Atoms(root, supportingWm_, XCB_ATOM_WINDOW);
    if (check.empty()) return false;
    const auto self = Atoms(check.front(), supportingWm_, XCB_ATOM_WINDOW);
    return !self.empty() && self.front() == check.front();
  }

  // In its window manager's list of clients (it may sit on another workspace).
  bool IsManaged(xcb_window_t w) {
    const std::optional<xcb_window_t> root = RootOf(w);
    if (!root || !WindowManagerRuns(*root)) return false;
    const auto clients = Atoms(*root, clientList_, XCB_ATOM_WINDOW, 4096);
    return std::find(clients.begin(), clients.end(), w) != clients.end();
  }

  std::optional<xcb_window_t> RootOf(xcb_window_t w) {
    auto geometry =
        Take<xcb_get_geometry_reply_t>(c_, xcb_get_geometry(c_, w), xcb_get_geometry_reply);
    if (!geometry) return std::nullopt;
    return geometry->root;
  }

  bool HasFocus(xcb_window_t dialog) {
    auto reply = Take<xcb_get_input_focus_reply_t>(c_, xcb_get_input_focus(c_),
                                                   xcb_get_input_focus_reply);
    if (!reply) return false;
    // The focus may sit on a window inside the dialog.
    xcb_window_t w = reply->focus;
    for (int depth = 0; depth < 8 && w != XCB_WINDOW_NONE; ++depth) {
      if (w == dialog) return true;
      auto tree = Take<xcb_query_tree_reply_t>(c_, xcb_query_tree(c_, w), xcb_query_tree_reply);
      if (!tree || tree->parent == tree->root) return false;
      w = tree->parent;
    }
    return false;
  }

  bool WaitForFocus(xcb_window_t dialog, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!HasFocus(dialog)) {
      if (deadline.hasExpired()) return false;
      wait_(kFocusPollSeconds);
    }
    return true;
  }

  // A request to the window manager about `w`.
  void AskWindowManager(xcb_window_t root, xcb_window_t w, xcb_atom_t type, uint32_t first,
                        uint32_t second) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = w;
    message.type = type;
    message.data.data32[0] = first;
    message.data.data32[1] = second;
    Check(c_, xcb_send_event_checked(
                  c_, 0, root,
                  XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                  reinterpret_cast<const char*>(&message)));
  }

  bool Focus(xcb_window_t dialog) {
    if (HasFocus(dialog)) return true;
    const std::optional<xcb_window_t> root = RootOf(dialog);
    if (!root) return false;
    if (WindowManagerRuns(*root)) {
      // Managers do not activate a window of another workspace: it comes here.
      const auto here = Atoms(*root, currentDesktop_, XCB_ATOM_CARDINAL);
      const auto there = Atoms(dialog, wmDesktop_, XCB_ATOM_CARDINAL);
      if (!here.empty() && !there.empty() && there.front() != here.front() &&
          there.front() != kAllDesktops)
        AskWindowManager(*root, dialog, wmDesktop_, here.front(), kFromPager);
      // Asked of the window manager, which would otherwise take the focus back.
      AskWindowManager(*root, dialog, activeWindow_, kFromPager, XCB_CURRENT_TIME);
      if (WaitForFocus(dialog, kFocusByWmMs)) return true;
    }
    if (!Check(c_, xcb_set_input_focus_checked(c_, XCB_INPUT_FOCUS_PARENT, dialog,
                                               XCB_CURRENT_TIME)))
      return false;
    return WaitForFocus(dialog, kFocusDirectMs);
  }

  xcb_keycode_t SpaceKeycode() {
    const xcb_setup_t* setup = xcb_get_setup(c_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto map = Take<xcb_get_keyboard_mapping_reply_t>(
        c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, static_cast<uint8_t>(count)),
        xcb_get_keyboard_mapping_reply);
    if (!map || map->keysyms_per_keycode == 0) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    const int total = xcb_get_keyboard_mapping_keysyms_length(map.get());
    for (int i = 0; i < total; ++i) {
      if (syms[i] == kSpaceKeysym)
        return static_cast<xcb_keycode_t>(setup->min_keycode + i / map->keysyms_per_keycode);
    }
    return 0;
  }

  bool SendKey(xcb_window_t dialog, uint8_t type, xcb_keycode_t key) {
    const std::optional<xcb_window_t> root = RootOf(dialog);
    if (!root) return false;
    xcb_key_press_event_t event{};
    event.response_type = type;
    event.detail = key;
    event.time = XCB_CURRENT_TIME;
    event.root = *root;
    event.event = dialog;
    event.child = XCB_WINDOW_NONE;
    event.same_screen = 1;
    const uint32_t mask =
        type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE;
    return Check(c_, xcb_send_event_checked(c_, 0, dialog, mask,
                                            reinterpret_cast<const char*>(&event)));
  }

  xcb_connection_t* c_;
  Wait wait_;
  std::vector<xcb_window_t> roots_;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE, utf8String_ = XCB_ATOM_NONE,
             windowType_ = XCB_ATOM_NONE, typeDialog_ = XCB_ATOM_NONE,
             supportingWm_ = XCB_ATOM_NONE, activeWindow_ = XCB_ATOM_NONE,
             clientList_ = XCB_ATOM_NONE, currentDesktop_ = XCB_ATOM_NONE,
             wmDesktop_ = XCB_ATOM_NONE;
};

}  // namespace

std::unique_ptr<DialogAutomation> CreateDialogAutomation(Wait wait) {
  if (!qGuiApp) return std::make_unique<NullDialogAutomation>("Huevox has no display.");
  if (CurrentSession().x11) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return std::make_unique<X11DialogAutomation>(x11->connection(), std::move(wait));
  }
  if (!SessionFromEnvironment().wayland) {
    return std::make_unique<NullDialogAutomation>(
        "Huevox can press the messenger's buttons only on an X11 display, and this is not one.");
  }
  // The messenger under Wine is an X11 client: its dialogs are reached through XWayland.
  if (SessionFromEnvironment().x11) {
    return std::make_unique<NullDialogAutomation>(
        "Huevox cannot press the messenger's buttons as a Wayland program. Start Huevox without "
        "QT_QPA_PLATFORM=wayland (it then runs through XWayland, as the messenger under Wine does) "
        "to update the messenger.");
  }
  return std::make_unique<NullDialogAutomation>(
      "Huevox cannot press the messenger's buttons: this Wayland session offers no XWayland, which "
      "the messenger under Wine needs too. Turn XWayland on, or log in to an X11 session.");
}

}  // namespace huevox::platform
