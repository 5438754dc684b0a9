#pragma once
// xcb hands out replies and errors in malloc'd memory: one owner for both.
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace huevox::platform {

struct FreeXcb {
  void operator()(void* memory) const { std::free(memory); }
};
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, FreeXcb>;

// The reply, or null when the request failed. The error is taken here, so it
// never reaches the connection's event queue (Qt's, when the connection is Qt's).
template <typename Reply, typename Cookie, typename Fn>
XcbReply<Reply> Take(xcb_connection_t* connection, Cookie cookie, Fn replyFn) {
  xcb_generic_error_t* error = nullptr;
  XcbReply<Reply> reply(replyFn(connection, cookie, &error));
  std::free(error);
  return reply;
}

}  // namespace huevox::platform
