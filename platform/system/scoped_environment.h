#pragma once
// For tests: an environment variable set (or unset) for one scope, and put
// back as it was when the scope ends.
//
//   platform::ScopedEnvironmentVariable tmp("TMPDIR", "/tmp/x");
//   platform::ScopedEnvironmentVariable none("QUENDREL_WEB_HOST", nullptr);

#include <cstdlib>
#include <optional>
#include <string>

namespace platform {

class ScopedEnvironmentVariable {
 public:
  // A null `value` unsets the variable.
  ScopedEnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ScopedEnvironmentVariable(const char* name, const std::string& value)
      : ScopedEnvironmentVariable(name, value.c_str()) {}
  ~ScopedEnvironmentVariable() {
    if (old_) ::setenv(name_.c_str(), old_->c_str(), 1);
    else ::unsetenv(name_.c_str());
  }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace platform
