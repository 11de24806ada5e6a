#include "termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace player {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Where the handler writes; set before any handler is installed.
volatile int signalPipe = -1;

extern "C" void writeSignalNumber(int signal) {
  const int savedErrno = errno;
  const auto number = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(signalPipe, &number, 1);
  errno = savedErrno;
}

[[noreturn]] void endBy(int signal) {
  struct sigaction fallback{};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signal);
  std::_Exit(128 + signal);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> beforeEnd) : beforeEnd_(std::move(beforeEnd)) {
  int ends[2];
  // Without the pipe the signals keep their default action.
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  readEnd_ = ends[0];
  signalPipe = ends[1];
  notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { onSignal(); });

  struct sigaction action{};
  action.sa_handler = writeSignalNumber;
  sigemptyset(&action.sa_mask);
  // Interrupted system calls go on; a second signal finds the default action.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (::sigaction(kSignals[i], nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN) continue;
    installed_[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
  }
}

TerminationSignals::~TerminationSignals() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    if (installed_[i]) ::sigaction(kSignals[i], &previous_[i], nullptr);
  notifier_.reset();
  if (readEnd_ >= 0) {
    ::close(signalPipe);
    signalPipe = -1;
    ::close(readEnd_);
  }
}

void TerminationSignals::onSignal() {
  unsigned char number = 0;
  if (::read(readEnd_, &number, 1) != 1) return;
  notifier_->setEnabled(false);
  if (beforeEnd_) beforeEnd_();
  endBy(number);
}

}  // namespace player
