#pragma once
// The one error type of the collection store. Its message is the description
// a window shows to the user as it stands.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace store {

class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The short description the programs show for a failed file
// operation ("File not found", "Path not found", "Permission denied", ...).
std::string describeError(const std::error_code& ec);
std::string describeErrno(int error);

// Throws StoreError with the description of `ec`.
[[noreturn]] void throwFileError(const std::error_code& ec);

}  // namespace store
