#pragma once
// SIGTERM, SIGINT and SIGHUP ask a program to end. While a TerminationSignals
// lives, each of them runs `beforeEnd` on the window thread at its next pass
// through the event loop, and then ends the process by that same signal, as
// it would have ended anyway. The handler itself only writes the signal's
// number into a pipe: removing files is no work for a signal handler. A
// second signal ends the process at once; a signal the program was started
// with ignored (nohup) stays ignored.

#include <QSocketNotifier>
#include <csignal>
#include <functional>
#include <memory>

namespace player {

class TerminationSignals {
 public:
  explicit TerminationSignals(std::function<void()> beforeEnd);
  // The signals act as they did before.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  void onSignal();

  std::function<void()> beforeEnd_;
  int readEnd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  struct sigaction previous_[3]{};
  bool installed_[3]{};
};

}  // namespace player
