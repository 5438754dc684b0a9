#include "app/endprogram.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace huevox {
namespace {
std::vector<std::function<void()>>& EndWork() {
  static std::vector<std::function<void()>> work;
  return work;
}
}  // namespace

void AtEnd(std::function<void()> work) { EndWork().push_back(std::move(work)); }

void EndProgram() {
  for (auto& work : EndWork()) work();
  std::fflush(nullptr);
  // Waits and modal loops may be running below this call; none of them must
  // carry on, so the process ends here rather than unwinding through them.
  std::_Exit(0);
}

}  // namespace huevox
