#include "platform/endrequest.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace huevox::platform {
namespace {

int wakeUp[2] = {-1, -1};

// All a signal handler may do: one write, which the event loop then reads.
void Noted(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(wakeUp[1], &byte, 1);
  errno = saved;
}

}  // namespace

void OnEndRequested(std::function<void()> end) {
  if (pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [end = std::move(end)] {
    char byte;
    while (read(wakeUp[0], &byte, 1) > 0) {}
    end();
  });
  struct sigaction action = {};
  action.sa_handler = Noted;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace huevox::platform
