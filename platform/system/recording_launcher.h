#pragma once
// For tests: a launcher that starts nothing and records every start asked for.

#include <vector>

#include "system/process_launcher.h"
#include "system/scoped_install.h"

namespace platform {

class RecordingLauncher : public ProcessLauncher {
 public:
  // Records `what`; answers false while told to fail (the start is recorded
  // all the same).
  bool start(const ProcessStart& what) override {
    started_.push_back(what);
    return !failing_;
  }
  void setFailing(bool failing) { failing_ = failing; }

  const std::vector<ProcessStart>& started() const { return started_; }
  void clear() { started_.clear(); }

 private:
  std::vector<ProcessStart> started_;
  bool failing_ = false;
};

using ScopedLauncher = ScopedInstall<ProcessLauncher, RecordingLauncher, &processLauncher, &setProcessLauncher>;

}  // namespace platform
