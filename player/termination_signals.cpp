#include "termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace player {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// What the watcher reads when it is to stop: no signal has this number.
constexpr unsigned char kStopWatching = 0;

// Where the handler writes; set before any handler is installed. The
// handler may run on any thread.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");

extern "C" void writeSignalNumber(int signal) {
  const int savedErrno = errno;
  const auto number = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(signalPipe.load(std::memory_order_relaxed), &number, 1);
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
  // Without the pipe the signals keep their default action. The handler
  // must never wait on a full pipe; the watcher waits on an empty one.
  if (::pipe2(ends, O_CLOEXEC) != 0) return;
  if (::fcntl(ends[1], F_SETFL, O_NONBLOCK) != 0) {
    ::close(ends[0]);
    ::close(ends[1]);
    return;
  }
  readEnd_ = ends[0];
  writeEnd_ = ends[1];
  try {
    watcher_ = std::thread([this] { watch(); });
  } catch (const std::system_error&) {
    ::close(readEnd_);
    ::close(writeEnd_);
    readEnd_ = writeEnd_ = -1;
    return;
  }
  signalPipe.store(writeEnd_);

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
  if (readEnd_ < 0) return;
  // A signal that came before this still ends the process.
  if (::write(writeEnd_, &kStopWatching, 1) != 1) {
    // Never so with at most one byte a signal in the pipe; the pipe then
    // stays for the watcher.
    watcher_.detach();
    return;
  }
  watcher_.join();
  signalPipe.store(-1);
  ::close(writeEnd_);
  ::close(readEnd_);
}

void TerminationSignals::watch() {
  for (;;) {
    unsigned char number = kStopWatching;
    const ssize_t n = ::read(readEnd_, &number, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1 || number == kStopWatching) return;
    if (beforeEnd_) beforeEnd_();
    endBy(number);
  }
}

}  // namespace player
