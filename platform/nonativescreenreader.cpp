// Builds without a native screen reader use the QScreen fallback.
#include "platform/screenreader.h"

namespace huevox {

std::unique_ptr<ScreenReader> CreateNativeScreenReader() { return nullptr; }

}  // namespace huevox
