#include "ui/endprogram.h"

#include <QCoreApplication>
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
  // Taking the application down hands what this program put on the clipboard
  // (a picked hex code) to the desktop's clipboard manager, if one runs: Qt
  // answers only the manager's requests meanwhile, with a bounded wait, and
  // runs no event loop. The application must live on the heap for this.
  delete QCoreApplication::instance();
  std::fflush(nullptr);
  // Waits and modal loops may be running below this call; none of them must
  // carry on, so the process ends here rather than unwinding through them.
  std::_Exit(0);
}

}  // namespace huevox
