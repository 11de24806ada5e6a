#pragma once
// An error of the ripper as its error steps take it: the error's number, the
// source that raised it and the description the user is shown.

#include <stdexcept>
#include <string>

namespace ripper {

class RipError : public std::runtime_error {
 public:
  RipError(int number, std::string source, const std::string& description)
      : std::runtime_error(description), number_(number), source_(std::move(source)) {}

  int number() const { return number_; }
  const std::string& source() const { return source_; }
  std::string description() const { return what(); }

 private:
  int number_;
  std::string source_;
};

}  // namespace ripper
