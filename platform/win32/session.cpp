#include "platform/session.h"

namespace huevox::platform {

Session CurrentSession() { return {}; }

}  // namespace huevox::platform
