#pragma once
// For tests: a fake service installed for one scope. The fake lives inside
// the helper; the service that was installed before comes back at the end.
//
//   platform::ScopedDialogs dialogs;          // a ScriptedDialogs, installed
//   dialogs->expectMsgBox("Illegal name.", platform::vbOK);

#include <utility>

namespace platform {

template <class Service, class Fake, Service& (*Get)(), void (*Set)(Service*)>
class ScopedInstall {
 public:
  template <class... Args>
  explicit ScopedInstall(Args&&... args) : fake_(std::forward<Args>(args)...), previous_(&Get()) {
    Set(&fake_);
  }
  ~ScopedInstall() { Set(previous_); }
  ScopedInstall(const ScopedInstall&) = delete;
  ScopedInstall& operator=(const ScopedInstall&) = delete;

  Fake& get() { return fake_; }
  Fake& operator*() { return fake_; }
  Fake* operator->() { return &fake_; }

 private:
  Fake fake_;
  Service* previous_;
};

}  // namespace platform
