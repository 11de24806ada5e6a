#pragma once
// SIGTERM, SIGINT and SIGHUP ask a program to end. While a TerminationSignals
// lives, each of them runs `beforeEnd` at once on a thread of its own, and
// then ends the process by that same signal, as it would have ended anyway:
// the window thread may be busy for seconds (a big picture decoding) and
// the end waits for no pass of its event loop. `beforeEnd` runs beside the
// window thread, which goes on with its work until the process ends, and
// must be safe for that. The handler itself only writes the signal's number
// into a pipe: removing files is no work for a signal handler. A second
// signal ends the process at once; a signal the program was started with
// ignored (nohup) stays ignored.

#include <csignal>
#include <functional>
#include <thread>

namespace player {

class TerminationSignals {
 public:
  explicit TerminationSignals(std::function<void()> beforeEnd);
  // The signals act as they did before.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  void watch();

  std::function<void()> beforeEnd_;
  int readEnd_ = -1;
  int writeEnd_ = -1;
  std::thread watcher_;
  struct sigaction previous_[3]{};
  bool installed_[3]{};
};

}  // namespace player
